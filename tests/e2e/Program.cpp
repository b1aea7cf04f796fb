#include "tests/e2e/Program.h"

#include <vector>

CProgram::~CProgram() {
    if (Running())
        TerminateProcess(m_hProcess, 1);
    Close();
}

void CProgram::Close() {
    if (m_hProcess)
        CloseHandle(m_hProcess);
    m_hProcess = nullptr;
    m_nId = 0;
}

bool CProgram::Start(const std::string& commandLine, std::string& error) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Wine under heavy load now and then fails to bring up a new process
    // ("Internal error") before any of its code runs; once more then.
    bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    if (!started && GetLastError() == ERROR_INTERNAL_ERROR)
        started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    if (!started) {
        error = "cannot start " + commandLine + ": " + SystemMessage(GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    Close();
    m_hProcess = info.hProcess;
    m_nId = info.dwProcessId;
    return true;
}

bool CProgram::Running() const {
    return m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

bool CProgram::WaitExit(int timeoutMs, DWORD& exitCode) const {
    if (WaitForSingleObject(m_hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(m_hProcess, &exitCode) != 0;
}

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}
