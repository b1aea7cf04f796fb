#include "tests/e2e/BrowseDialog.h"

#include <shlobj.h>

#include "tests/e2e/WindowSearch.h"

namespace {

constexpr UINT kSelectTimeoutMs = 5000;

// Memory in another process, freed at the end of the scope.
class CRemoteText {
  public:
    CRemoteText(HANDLE process, const std::string& text)
        : m_hProcess(process),
          m_pAddress(VirtualAllocEx(process, nullptr, text.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        if (m_pAddress && !WriteProcessMemory(process, m_pAddress, text.c_str(), text.size() + 1, nullptr))
            Free();
    }
    ~CRemoteText() { Free(); }
    CRemoteText(const CRemoteText&) = delete;
    CRemoteText& operator=(const CRemoteText&) = delete;

    void* Address() const { return m_pAddress; }

  private:
    void Free() {
        if (m_pAddress)
            VirtualFreeEx(m_hProcess, m_pAddress, 0, MEM_RELEASE);
        m_pAddress = nullptr;
    }

    HANDLE m_hProcess;
    void* m_pAddress;
};

}  // namespace

HWND FindBrowseDialog(DWORD processId) {
    for (HWND window : VisibleTopLevelWindows(processId))
        if (ClassOf(window) == "#32770" && FindDescendant(window, "SysTreeView32"))
            return window;
    return nullptr;
}

bool SelectFolder(HANDLE process, HWND dialog, const std::string& folder, std::string& error) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "no folder \"" + folder + "\"";
        return false;
    }
    CRemoteText path(process, folder);
    DWORD_PTR ignored;
    if (!path.Address() || !SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE,
                                                 reinterpret_cast<LPARAM>(path.Address()), SMTO_ABORTIFHUNG,
                                                 kSelectTimeoutMs, &ignored)) {
        error = "cannot hand the path to the folder browser";
        return false;
    }
    return true;
}
