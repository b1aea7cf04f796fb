// The program under test: started by the driver, and ended with it when it
// is still running then, so a failed scenario leaves nothing behind.
#pragma once

#include <string>

#include "toolkit/core/Platform.h"

class CProgram {
  public:
    CProgram() = default;
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    // False, with error set, when it cannot be started.
    bool Start(const std::string& commandLine, std::string& error);
    bool Started() const { return m_hProcess != nullptr; }
    bool Running() const;
    // Waits for the end; false when the program still runs after timeoutMs.
    bool WaitExit(int timeoutMs, DWORD& exitCode) const;

    HANDLE Process() const { return m_hProcess; }
    DWORD Id() const { return m_nId; }

  private:
    void Close();

    HANDLE m_hProcess = nullptr;
    DWORD m_nId = 0;
};

// The system's message for an error code, without its line break.
std::string SystemMessage(DWORD code);
