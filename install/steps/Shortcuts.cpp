#include "install/steps/Shortcuts.h"

#include <shlobj.h>

#include "install/portable/FinishPaths.h"

namespace {

// Releases its interface when the scope ends.
template <typename Interface>
class CComRef {
  public:
    CComRef() = default;
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    ~CComRef() {
        if (m_pInterface)
            m_pInterface->Release();
    }
    void** Receive() { return reinterpret_cast<void**>(&m_pInterface); }
    Interface* operator->() const { return m_pInterface; }

  private:
    Interface* m_pInterface = nullptr;
};

ShortcutPaths PathsOf(const InstallState& state) {
    return ShortcutPathsFor(state.folders[kFolderStartMenu], state.folders[kFolderDesktop],
                            state.names[kNameMainProgramCompany], state.names[kNameMainProgramProduct],
                            state.mainLinkName);
}

// False when the shell's link object cannot be had; a link that cannot be
// saved leaves no file, which the copies then find missing.
bool SaveShellLink(const InstallState& state, const std::string& path) {
    CComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Receive())))
        return false;
    link->SetPath(state.names[kNameMainProgramPath].c_str());
    link->SetDescription(state.mainLinkName.c_str());
    CComRef<IPersistFile> file;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive()))) {
        // The copy plan has made sure the path fits.
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        file->Save(wide, TRUE);
        file->SaveCompleted(wide);
    }
    return true;
}

}  // namespace

void CreateShortcuts(InstallState& state, bool startMenuCopy, bool desktopCopy) {
    if (state.mainProgramName.empty())
        return;
    const ShortcutPaths paths = PathsOf(state);
    // The worker's own apartment; the thread ends soon after, so it is
    // never left.
    CoInitialize(nullptr);
    if (!SaveShellLink(state, paths.link) || !PathExists(paths.link))
        return;
    state.record.Add(RecordKind::Link, paths.link);
    if (desktopCopy && CopyFileA(paths.link.c_str(), paths.desktopCopy.c_str(), FALSE))
        state.record.Add(RecordKind::Link, paths.desktopCopy);
    if (startMenuCopy && CopyFileA(paths.link.c_str(), paths.startMenuCopy.c_str(), FALSE))
        state.record.Add(RecordKind::Link, paths.startMenuCopy);
}
