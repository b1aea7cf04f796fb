// The copy journal's disk for tests, through the C library, which can be
// told to die at its n-th change to the disk, as a killed installer would.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "install/portable/CopyJournal.h"

struct Killed {};

class CTestJournalDisk : public JournalDisk {
  public:
    // Changes allowed before the kill; -1 for none.
    explicit CTestJournalDisk(int changesBeforeKill = -1) : m_nLeft(changesBeforeKill) {}
    ~CTestJournalDisk() override { CloseJournal(); }

    // Counts as a change, so that a kill can land between any two.
    void Change() {
        if (m_nLeft == 0)
            throw Killed{};
        if (m_nLeft > 0)
            --m_nLeft;
        ++m_nChanges;
    }
    int Changes() const { return m_nChanges; }

    // Writes text to path in two halves, each a change: a kill between them
    // leaves a half-written file, as it would in the middle of a copy.
    // The file is closed however that ends, as a killed process's files are.
    void WriteFile(const std::string& path, const std::string& text) {
        std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
        for (const std::string& half : {text.substr(0, text.size() / 2), text.substr(text.size() / 2)}) {
            Change();
            std::fputs(half.c_str(), f.get());
            std::fflush(f.get());
        }
    }

    bool Exists(const std::string& path) override { return PathExists(path); }
    bool Move(const std::string& from, const std::string& to) override {
        Change();
        std::remove(to.c_str());
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool Remove(const std::string& path) override {
        Change();
        return std::remove(path.c_str()) == 0;
    }
    bool RemoveAtRestart(const std::string&) override { return false; }
    bool CreateJournal(const std::string& path, const std::string& text) override {
        Change();
        m_pJournal = std::fopen(path.c_str(), "wb");
        return m_pJournal && AppendToJournal(text);
    }
    // A kill may also cut a line in two.
    bool AppendToJournal(const std::string& text) override {
        const size_t half = text.size() / 2;
        Change();
        std::fwrite(text.data(), 1, half, m_pJournal);
        std::fflush(m_pJournal);
        Change();
        std::fwrite(text.data() + half, 1, text.size() - half, m_pJournal);
        return std::fflush(m_pJournal) == 0;
    }
    void DeleteJournal(const std::string& path) override {
        CloseJournal();
        Remove(path);
    }
    bool ReadJournal(const std::string& path, std::string& text) override {
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f)
            return false;
        text.clear();
        for (int c; (c = std::fgetc(f)) != EOF;)
            text += static_cast<char>(c);
        std::fclose(f);
        return true;
    }

  private:
    void CloseJournal() {
        if (m_pJournal)
            std::fclose(m_pJournal);
        m_pJournal = nullptr;
    }

    FILE* m_pJournal = nullptr;
    int m_nLeft;
    int m_nChanges = 0;
};
