// The copy journal's disk on Windows: every step written through to the
// disk before it returns, so that a power cut cannot undo it.
#pragma once

#include <windows.h>

#include "install/portable/CopyJournal.h"

class CWindowsJournalDisk : public JournalDisk {
  public:
    ~CWindowsJournalDisk() override;
    bool Exists(const std::string& path) override;
    bool Move(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool RemoveAtRestart(const std::string& path) override;
    bool CreateJournal(const std::string& path, const std::string& text) override;
    bool AppendToJournal(const std::string& text) override;
    void DeleteJournal(const std::string& path) override;
    bool ReadJournal(const std::string& path, std::string& text) override;

  private:
    void CloseJournal();

    HANDLE m_hJournal = INVALID_HANDLE_VALUE;
};
