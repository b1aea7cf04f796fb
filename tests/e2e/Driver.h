// The command interpreter: runs one parsed command at a time against the
// program it started, and keeps what later commands refer to.
#pragma once

#include <string>

#include "tests/e2e/Program.h"
#include "tests/e2e/portable/Command.h"

class CDriver {
  public:
    // False, with error set, when the command failed. value is what its
    // result line shows (escaped), for the commands that give one.
    bool Run(const Command& command, std::string& value, std::string& error);

  private:
    bool Dispatch(const Command& c, std::string& value, std::string& error);
    bool Start(const Command& c, std::string& error);
    bool WaitExit(const Command& c, std::string& value, std::string& error);
    bool Click(const Command& c, std::string& error);
    bool SetCheck(const Command& c, std::string& value, std::string& error);
    bool ReadMessageBox(const Command& c, std::string& value, std::string& error);
    bool Answer(const Command& c, std::string& error);
    bool WindowRect(const Command& c, std::string& value, std::string& error);
    bool ReadText(const Command& c, std::string& value, std::string& error);
    bool Browse(const Command& c, std::string& error);
    bool Type(const Command& c, std::string& error);
    bool ReadFocus(const Command& c, std::string& value, std::string& error);
    // Waits for the program's window of that title to be the foreground
    // window, the one the keyboard types into.
    bool WaitForeground(const std::string& title, int timeoutMs, HWND& window, std::string& error) const;
    bool Expect(const Command& c, std::string& error) const;

    int TimeoutOf(const Command& c) const;
    // Waits for the button the command names (caption, and window when given).
    bool FindProgramButton(const Command& c, HWND& button, std::string& error) const;
    bool NeedProgram(std::string& error) const;
    // Waits for the program's window of that title (and class, unless empty).
    bool WaitTopLevel(const std::string& title, const std::string& className, int timeoutMs, HWND& window,
                      std::string& error) const;
    // Presses a button of a dialog and waits until the dialog has gone.
    bool PressToClose(HWND dialog, const std::string& caption, int timeoutMs, std::string& error) const;
    // Said behind a failed wait, so an ended program is not mistaken for a slow one.
    std::string WhyNotFound(int timeoutMs) const;

    CProgram m_stProgram;
    HWND m_hMessageBox = nullptr;
    int m_nTimeoutMs = kDefaultTimeoutMs;
    std::string m_sLastValue;
    ULONGLONG m_nStartTick = 0;  // when the program was started
};
