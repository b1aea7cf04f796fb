#include "tests/e2e/Input.h"

#include <string>

#include "tests/e2e/WindowSearch.h"

void ClickButton(HWND button) {
    if (ClassOf(button) == "Button") {
        PostMessageA(button, BM_CLICK, 0, 0);
        return;
    }
    RECT client;
    GetClientRect(button, &client);
    const LPARAM centre = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageA(button, WM_LBUTTONUP, 0, centre);
}

void PressCloseBox(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

namespace {

INPUT KeyInput(int virtualKey, bool extended, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

bool SendStroke(const KeyStroke& key) {
    std::vector<INPUT> inputs;
    if (key.shift)
        inputs.push_back(KeyInput(VK_SHIFT, false, false));
    inputs.push_back(KeyInput(key.virtualKey, key.extended, false));
    inputs.push_back(KeyInput(key.virtualKey, key.extended, true));
    if (key.shift)
        inputs.push_back(KeyInput(VK_SHIFT, false, true));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// The process of a window, opened to wait on it, closed with this object.
class CProcessHandle {
  public:
    explicit CProcessHandle(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        m_hProcess = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, id);
    }
    ~CProcessHandle() {
        if (m_hProcess)
            CloseHandle(m_hProcess);
    }
    CProcessHandle(const CProcessHandle&) = delete;
    CProcessHandle& operator=(const CProcessHandle&) = delete;
    HANDLE Get() const { return m_hProcess; }

  private:
    HANDLE m_hProcess = nullptr;
};

// Keys reach a program through its input queue, at its own pace. The system
// marks a program idle once it waits on an empty queue: as a rule after the
// keys it read and what they did on its window thread. Under Wine another
// thread of the program that looks at its own empty queue marks it idle
// too, so a script that checks what keys did waits for it as well (focus
// with a caption). A program that ended on a key has read all it will.
bool WaitKeysHandled(HANDLE process, int timeoutMs) {
    const DWORD result = WaitForInputIdle(process, static_cast<DWORD>(timeoutMs));
    return result == 0 || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

}  // namespace

bool TypeKeys(HWND window, const std::vector<KeyStroke>& keys, int timeoutMs, std::string& error) {
    const CProcessHandle process(window);
    if (!process.Get()) {
        error = "cannot open the program to see it read its keys";
        return false;
    }
    for (const KeyStroke& key : keys) {
        if (!IsWindow(window)) {
            error = "the window closed before all keys were typed";
            return false;
        }
        if (!SendStroke(key)) {
            error = "the system did not take the keys";
            return false;
        }
        if (!WaitKeysHandled(process.Get(), timeoutMs)) {
            error = "the program did not read its keys within " + std::to_string(timeoutMs) + " ms";
            return false;
        }
    }
    return true;
}
