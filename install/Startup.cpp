// The installer's start: the application object, its never-shown frame, the
// installer window centred on the display, the processor question, and the
// worker that runs the install sequence. The main thread then only runs the
// message loop, which serves every window, until the worker closes the frame.
#include <process.h>

#include "InstallerTexts.h"
#include "app/Application.h"
#include "install/InstallSequence.h"
#include "install/InstallerEnd.h"
#include "install/SystemChecks.h"
#include "install/Unscramble.h"
#include "install/resources/InstallerResources.h"

namespace {

constexpr int kWindowWidth = 700;
constexpr int kWindowHeight = 525;
constexpr unsigned kWorkerStack = 100000;

CCorWindow g_stInstallerWindow;
HANDLE g_hWorker = nullptr;  // kept, never waited on

void __cdecl WorkerMain(void* toolkit) {
    InstallWorker(*static_cast<CCorvane*>(toolkit), g_stInstallerWindow);
}

// Centred on the current display mode; negative on a display smaller than
// the window, so that it overlaps both edges equally.
POINT CentredOrigin() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return {(static_cast<LONG>(mode.dmPelsWidth) - kWindowWidth) / 2,
            (static_cast<LONG>(mode.dmPelsHeight) - kWindowHeight) / 2};
}

HANDLE StartInstaller(HWND frame, HINSTANCE instance) {
    SetInstallerFrame(frame);
    CCorvane* toolkit = new CCorvane(nullptr, instance);  // lives until the process ends
    const POINT origin = CentredOrigin();
    g_stInstallerWindow = toolkit->CreateWindow(origin.x, origin.y, kWindowWidth, kWindowHeight,
                                                UnscrambleText(Texts::CommonTitle),
                                                UnscrambleText(Texts::InstallerWindowOptions));
    toolkit->Core().SetSystemCheckBoxes(true);
    if (!CheckSse2())
        EndInstaller();
    toolkit->Core().DefineFont("MainFont", "Arial,13");
    return reinterpret_cast<HANDLE>(_beginthread(WorkerMain, kWorkerStack, toolkit));
}

class CHarrowInstall2App : public CWinApp {
  public:
    bool InitInstance() override {
        if (!CWinApp::InitInstance())
            return false;
        m_pMainWnd = std::make_unique<CMainFrame>();
        if (!m_pMainWnd->LoadFrame(Instance(), IDR_MAINFRAME, IDD_ABOUTBOX))
            return false;
        g_hWorker = StartInstaller(m_pMainWnd->GetSafeHwnd(), Instance());
        return true;
    }
};

// Libraries load from the system directory only, never from beside the
// installer (a download folder), where a planted copy could lie. Systems
// without SetDefaultDllDirectories at least lose the current directory.
void RestrictLibrarySearch() {
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDirectories>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    CHarrowInstall2App app;
    return app.Run(instance);
}
