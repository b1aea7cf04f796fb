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
#include "install/portable/Unscramble.h"
#include "install/resources/InstallerResources.h"
#include "install/steps/InstallSequence.h"
#include "install/steps/InstallerEnd.h"
#include "install/steps/SystemChecks.h"

namespace {

constexpr int kWindowWidth = 700;
constexpr int kWindowHeight = 525;
constexpr unsigned kWorkerStack = 100000;

CCorWindow g_stInstallerWindow;
HANDLE g_hWorker = nullptr;  // kept, never waited on

void __cdecl WorkerMain(void* toolkit) {
    InstallWorker(*static_cast<CCorvane*>(toolkit), g_stInstallerWindow);
}

// An installer that cannot show its window or start its work says so and
// ends, rather than run on unseen.
bool Refuse(const char* text) {
    MessageBoxA(nullptr, UnscrambleText(text), UnscrambleText(Texts::CommonTitle), MB_OK | MB_ICONERROR);
    return false;
}

// False when the installer is to end at once: the process then ends with
// the application's start, on this thread.
bool StartInstaller(HWND frame, HINSTANCE instance) {
    SetInstallerFrame(frame);
    CCorvane* toolkit = new CCorvane(nullptr, instance);  // lives until the process ends
    const POINT origin = CentredOrigin(kWindowWidth, kWindowHeight);
    g_stInstallerWindow =
        toolkit->CreateWindow(origin.x, origin.y, kWindowWidth, kWindowHeight, UnscrambleText(Texts::CommonTitle),
                              UnscrambleText(Texts::InstallerWindowOptions));
    if (!g_stInstallerWindow.Handle())
        return Refuse(Texts::WindowFailure);
    toolkit->Core().SetSystemCheckBoxes(true);
    if (!CheckSse2())
        return false;
    DefineMainFont(toolkit->Core());
    g_hWorker = reinterpret_cast<HANDLE>(_beginthread(WorkerMain, kWorkerStack, toolkit));
    return g_hWorker != reinterpret_cast<HANDLE>(-1L) || Refuse(Texts::WorkerFailure);
}

class CHarrowInstall2App : public CWinApp {
  public:
    bool InitInstance() override {
        if (!CWinApp::InitInstance())
            return false;
        m_pMainWnd = std::make_unique<CMainFrame>();
        if (!m_pMainWnd->LoadFrame(Instance(), IDR_MAINFRAME, IDD_ABOUTBOX))
            return false;
        return StartInstaller(m_pMainWnd->GetSafeHwnd(), Instance());
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    CHarrowInstall2App app;
    return app.Run(instance);
}
