#include "tests/e2e/Driver.h"

#include "tests/e2e/BrowseDialog.h"
#include "tests/e2e/Capture.h"
#include "tests/e2e/Input.h"
#include "tests/e2e/Polling.h"
#include "tests/e2e/WindowSearch.h"
#include "tests/e2e/portable/TextRules.h"

namespace {

constexpr const char* kDialogClass = "#32770";

std::string Quoted(const std::string& text) {
    return "\"" + EscapeText(text) + "\"";
}

// A message box's message is its one static control with text; the other
// holds the icon.
std::string MessageText(HWND box) {
    for (HWND child : Descendants(box))
        if (ClassOf(child) == "Static" && !CaptionOf(child).empty())
            return CaptionOf(child);
    return "";
}

bool IsOpen(HWND window) {
    return IsWindow(window) && IsWindowVisible(window);
}

}  // namespace

bool CDriver::Run(const Command& command, std::string& value, std::string& error) {
    value.clear();
    if (!Dispatch(command, value, error))
        return false;
    if (GivesValue(command.verb))
        m_sLastValue = value;
    return true;
}

bool CDriver::Dispatch(const Command& c, std::string& value, std::string& error) {
    HWND window = nullptr;
    switch (c.verb) {
    case Verb::Start:
        return Start(c, error);
    case Verb::WaitExit:
        return WaitExit(c, value, error);
    case Verb::WaitWindow:
        return WaitTopLevel(c.title, c.className, c.timeoutMs, window, error);
    case Verb::Click:
        return Click(c, error);
    case Verb::WaitButton:
        return FindProgramButton(c, window, error);
    case Verb::SetCheck:
        return SetCheck(c, value, error);
    case Verb::MessageBox:
        return ReadMessageBox(c, value, error);
    case Verb::Answer:
        return Answer(c, error);
    case Verb::Close:
        if (!WaitTopLevel(c.title, "", TimeoutOf(c), window, error))
            return false;
        PressCloseBox(window);
        return true;
    case Verb::Capture:
        return WaitTopLevel(c.title, "", TimeoutOf(c), window, error) &&
               CaptureWindow(window, c.path, TimeoutOf(c), error);
    case Verb::CaptureScreen:
        return CaptureScreen(c.path, TimeoutOf(c), error);
    case Verb::WindowRect:
        return WindowRect(c, value, error);
    case Verb::Move:
        if (!WaitTopLevel(c.title, "", TimeoutOf(c), window, error))
            return false;
        SetWindowPos(window, nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    case Verb::ReadText:
        return ReadText(c, value, error);
    case Verb::BrowsePick:
    case Verb::BrowseCancel:
        return Browse(c, error);
    case Verb::Expect:
        return Expect(c, error);
    case Verb::SetTimeout:
        m_nTimeoutMs = c.timeoutMs;
        return true;
    case Verb::Type:
        return Type(c, error);
    case Verb::Focus:
        return ReadFocus(c, value, error);
    case Verb::Elapsed:
        if (!NeedProgram(error))
            return false;
        value = std::to_string(GetTickCount64() - m_nStartTick) + " ms";
        return true;
    }
    error = "command not handled";
    return false;
}

int CDriver::TimeoutOf(const Command& c) const {
    return c.timeoutMs == kUseDefaultTimeout ? m_nTimeoutMs : c.timeoutMs;
}

bool CDriver::NeedProgram(std::string& error) const {
    if (m_stProgram.Started())
        return true;
    error = "no program started; start one first";
    return false;
}

std::string CDriver::WhyNotFound(int timeoutMs) const {
    DWORD code = 0;
    if (!m_stProgram.Running() && m_stProgram.WaitExit(0, code))
        return " (the program has ended, exit code " + std::to_string(code) + ")";
    return " within " + std::to_string(timeoutMs) + " ms";
}

bool CDriver::WaitTopLevel(const std::string& title, const std::string& className, int timeoutMs, HWND& window,
                           std::string& error) const {
    if (!NeedProgram(error))
        return false;
    const DWORD id = m_stProgram.Id();
    if (PollUntil(timeoutMs, [&] { return (window = FindTopLevel(id, title, className)) != nullptr; }))
        return true;
    error = "no visible window " + Quoted(title) + (className.empty() ? "" : " of class " + Quoted(className)) +
            WhyNotFound(timeoutMs);
    return false;
}

bool CDriver::Start(const Command& c, std::string& error) {
    if (m_stProgram.Running()) {
        error = "the program started before is still running; wait-exit first";
        return false;
    }
    m_hMessageBox = nullptr;
    m_nStartTick = GetTickCount64();
    return m_stProgram.Start(c.commandLine, error);
}

bool CDriver::WaitExit(const Command& c, std::string& value, std::string& error) {
    DWORD code = 0;
    if (!NeedProgram(error))
        return false;
    if (!m_stProgram.WaitExit(c.timeoutMs, code)) {
        error = "the program is still running after " + std::to_string(c.timeoutMs) + " ms";
        return false;
    }
    value = std::to_string(code);
    return true;
}

bool CDriver::FindProgramButton(const Command& c, HWND& button, std::string& error) const {
    if (!NeedProgram(error))
        return false;
    const int timeoutMs = TimeoutOf(c);
    const DWORD id = m_stProgram.Id();
    const bool found = PollUntil(timeoutMs, [&] {
        const HWND window = c.title.empty() ? nullptr : FindTopLevel(id, c.title);
        if (!c.title.empty() && !window)
            return false;
        button = FindButton(window ? std::vector<HWND>{window} : VisibleTopLevelWindows(id), c.caption);
        return button != nullptr;
    });
    if (found)
        return true;
    error = "no visible, enabled button " + Quoted(c.caption) +
            (c.title.empty() ? " in any window of the program" : " in " + Quoted(c.title)) + WhyNotFound(timeoutMs);
    return false;
}

bool CDriver::Click(const Command& c, std::string& error) {
    HWND button = nullptr;
    if (!FindProgramButton(c, button, error))
        return false;
    ClickButton(button);
    return true;
}

// The toolkit keeps a check box's state itself and shows it with
// BM_SETCHECK, so the system's state is what the user sees.
bool CDriver::SetCheck(const Command& c, std::string& value, std::string& error) {
    HWND box = nullptr;
    if (!FindProgramButton(c, box, error))
        return false;
    bool checked = false;
    if (!ReadCheck(box, checked)) {
        error = Quoted(c.caption) + " does not answer BM_GETCHECK";
        return false;
    }
    value = checked ? "on" : "off";
    if (checked == c.checked)
        return true;
    ClickButton(box);
    const int timeoutMs = TimeoutOf(c);
    if (PollUntil(timeoutMs, [&] { return ReadCheck(box, checked) && checked == c.checked; }))
        return true;
    error = Quoted(c.caption) + " is still " + value + " " + std::to_string(timeoutMs) + " ms after the click";
    return false;
}

bool CDriver::ReadMessageBox(const Command& c, std::string& value, std::string& error) {
    if (!WaitTopLevel(c.title, kDialogClass, TimeoutOf(c), m_hMessageBox, error))
        return false;
    value = EscapeText(MessageText(m_hMessageBox));
    return true;
}

bool CDriver::Answer(const Command& c, std::string& error) {
    if (!m_hMessageBox || !IsOpen(m_hMessageBox)) {
        error = "no message box open; wait for one with message-box first";
        return false;
    }
    const HWND box = m_hMessageBox;
    m_hMessageBox = nullptr;
    return PressToClose(box, c.caption, TimeoutOf(c), error);
}

bool CDriver::PressToClose(HWND dialog, const std::string& caption, int timeoutMs, std::string& error) const {
    const HWND button = FindButton({dialog}, caption);
    if (!button) {
        error = "the dialog has no visible, enabled button " + Quoted(caption);
        return false;
    }
    ClickButton(button);
    if (PollUntil(timeoutMs, [&] { return !IsOpen(dialog); }))
        return true;
    error = "the dialog is still open " + std::to_string(timeoutMs) + " ms after pressing " + Quoted(caption);
    return false;
}

bool CDriver::WindowRect(const Command& c, std::string& value, std::string& error) {
    HWND window = nullptr;
    RECT r;
    if (!WaitTopLevel(c.title, "", TimeoutOf(c), window, error))
        return false;
    if (!GetWindowRect(window, &r)) {
        error = "the window has gone";
        return false;
    }
    value = "x=" + std::to_string(r.left) + " y=" + std::to_string(r.top) +
            " width=" + std::to_string(r.right - r.left) + " height=" + std::to_string(r.bottom - r.top);
    return true;
}

bool CDriver::ReadText(const Command& c, std::string& value, std::string& error) {
    HWND window = nullptr;
    HWND control = nullptr;
    const int timeoutMs = TimeoutOf(c);
    if (!WaitTopLevel(c.title, "", timeoutMs, window, error))
        return false;
    if (!PollUntil(timeoutMs, [&] { return (control = FindDescendant(window, c.className)) != nullptr; })) {
        error = "no control of class " + Quoted(c.className) + " in " + Quoted(c.title) + WhyNotFound(timeoutMs);
        return false;
    }
    value = EscapeText(ControlText(control));
    return true;
}

bool CDriver::Browse(const Command& c, std::string& error) {
    if (!NeedProgram(error))
        return false;
    const int timeoutMs = TimeoutOf(c);
    HWND dialog = nullptr;
    if (!PollUntil(timeoutMs, [&] { return (dialog = FindBrowseDialog(m_stProgram.Id())) != nullptr; })) {
        error = "no folder browser open" + WhyNotFound(timeoutMs);
        return false;
    }
    if (c.verb == Verb::BrowseCancel)
        return PressToClose(dialog, "Cancel", timeoutMs, error);
    return SelectFolder(m_stProgram.Process(), dialog, c.path, error) && PressToClose(dialog, "OK", timeoutMs, error);
}

bool CDriver::Expect(const Command& c, std::string& error) const {
    if (c.text == m_sLastValue)
        return true;
    error = "expected \"" + c.text + "\", got \"" + m_sLastValue + "\"";
    return false;
}

bool CDriver::WaitForeground(const std::string& title, int timeoutMs, HWND& window, std::string& error) const {
    if (!WaitTopLevel(title, "", timeoutMs, window, error))
        return false;
    if (PollUntil(timeoutMs, [&] { return GetForegroundWindow() == window; }))
        return true;
    error = Quoted(title) + " is not the foreground window, so keys would go elsewhere" + WhyNotFound(timeoutMs);
    return false;
}

bool CDriver::Type(const Command& c, std::string& error) {
    HWND window = nullptr;
    if (!WaitForeground(c.title, TimeoutOf(c), window, error))
        return false;
    return TypeKeys(window, c.keys, TimeoutOf(c), error);
}

// The control of the window that has the keyboard focus, by its caption,
// or "(the window)" when the window itself has it; once the window is the
// foreground window and the focus is in it, as it is when a person starts
// typing, and, given a caption, once that control has it: a program may
// move the focus a little after it has read the keys that move it.
bool CDriver::ReadFocus(const Command& c, std::string& value, std::string& error) {
    HWND window = nullptr;
    const int timeoutMs = TimeoutOf(c);
    if (!WaitForeground(c.title, timeoutMs, window, error))
        return false;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    HWND focus = nullptr;
    const bool inside = PollUntil(timeoutMs, [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        focus = GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
        const bool inWindow = focus && (focus == window || IsChild(window, focus));
        return inWindow && (c.caption.empty() || CaptionOf(focus) == c.caption);
    });
    if (!inside) {
        const std::string where = c.caption.empty() ? " in " : " on " + Quoted(c.caption) + " in ";
        error = "the keyboard focus is not" + where + Quoted(c.title) + WhyNotFound(timeoutMs);
        return false;
    }
    value = focus == window ? "(the window)" : EscapeText(CaptionOf(focus));
    return true;
}
