// The installer's start: the application object, its never-shown frame, the
// installer window centred on the display, the processor question, and the
// worker that runs the install sequence. The main thread then only runs the
// message loop, which serves every window, until the worker closes the frame.
#include <process.h>

#include "InstallerTexts.h"
#include "app/Application.h"
#include "app/LibrarySearch.h"
#include "app/ScreenLook.h"
#include "app/ScreenMetrics.h"
#include "install/steps/InstallSequence.h"
#include "install/steps/InstallerEnd.h"
#include "install/steps/SystemChecks.h"
#include "install/portable/Unscramble.h"
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

HANDLE StartInstaller(HWND frame, HINSTANCE instance) {
    SetInstallerFrame(frame);
    CCorvane* toolkit = new CCorvane(nullptr, instance);  // lives until the process ends
    const POINT origin = CentredOrigin(kWindowWidth, kWindowHeight);
    g_stInstallerWindow = toolkit->CreateWindow(origin.x, origin.y, kWindowWidth, kWindowHeight,
                                                UnscrambleText(Texts::CommonTitle),
                                                UnscrambleText(Texts::InstallerWindowOptions));
    toolkit->Core().SetSystemCheckBoxes(true);
    if (!CheckSse2())
        EndInstaller();
    DefineMainFont(toolkit->Core());
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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    CHarrowInstall2App app;
    return app.Run(instance);
}
