#include "tests/e2e/WindowSearch.h"

#include <tlhelp32.h>

#include <algorithm>

#include "tests/e2e/portable/TextRules.h"

namespace {

// A program busy in its own work must not hang the driver.
constexpr UINT kTextTimeoutMs = 2000;
// The toolkit's buttons are a superclass of the system's.
const char* const kButtonClasses[] = {"Button", "qv_CorButton"};

struct TopLevelSearch {
    std::vector<DWORD> processIds;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<TopLevelSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (std::find(s.processIds.begin(), s.processIds.end(), owner) != s.processIds.end() && IsWindowVisible(window))
        s.found.push_back(window);
    return TRUE;
}

// When the process started; 0 when it cannot be asked.
ULONGLONG CreationTime(DWORD processId) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return 0;
    FILETIME created, exited, kernel, user;
    const bool known = GetProcessTimes(process, &created, &exited, &kernel, &user) != 0;
    CloseHandle(process);
    return known ? (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime : 0;
}

// The process and those it started, and theirs, whether or not the starter
// still runs: a program may hand its work over to another one, as an
// uninstaller does to its private copy. Process ids are reused, so a child
// counts only when it started after the process it names as its parent.
std::vector<DWORD> ProcessFamily(DWORD root) {
    struct Process {
        DWORD id, parent;
        ULONGLONG created;
    };
    std::vector<Process> processes;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
            if (entry.th32ProcessID != root)
                processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, 0});
        CloseHandle(snapshot);
    }
    std::vector<Process> family = {{root, 0, CreationTime(root)}};
    for (size_t i = 0; i < family.size(); ++i)
        for (Process& process : processes) {
            if (process.parent != family[i].id || process.created != 0)
                continue;
            process.created = CreationTime(process.id);
            if (process.created != 0 && process.created >= family[i].created)
                family.push_back(process);
        }
    std::vector<DWORD> ids;
    for (const Process& member : family)
        ids.push_back(member.id);
    return ids;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

bool IsButtonClass(const std::string& className) {
    for (const char* name : kButtonClasses)
        if (className == name)
            return true;
    return false;
}

bool IsUsableButton(HWND window, const std::string& caption) {
    return IsButtonClass(ClassOf(window)) && IsWindowVisible(window) && IsWindowEnabled(window) &&
           CaptionMatches(CaptionOf(window), caption);
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    TopLevelSearch search{ProcessFamily(processId), {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(DWORD processId, const std::string& title, const std::string& className) {
    for (HWND window : VisibleTopLevelWindows(processId))
        if (CaptionOf(window) == title && (className.empty() || ClassOf(window) == className))
            return window;
    return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindDescendant(HWND parent, const std::string& className) {
    for (HWND child : Descendants(parent))
        if (ClassOf(child) == className)
            return child;
    return nullptr;
}

HWND FindButton(const std::vector<HWND>& windows, const std::string& caption) {
    for (HWND window : windows)
        for (HWND child : Descendants(window))
            if (IsUsableButton(child, caption))
                return child;
    return nullptr;
}

std::string ClassOf(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::string CaptionOf(HWND window) {
    char text[1024];
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string ControlText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                             kTextTimeoutMs, &copied))
        return "";
    text.resize(std::min<size_t>(copied, length));
    return text;
}

bool ReadCheck(HWND box, bool& checked) {
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutA(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &state))
        return false;
    checked = state == BST_CHECKED;
    return true;
}
