#include "app/WorkerApp.h"

#include <process.h>

namespace {

constexpr unsigned kWorkerStackSize = 100000;
DWORD g_nMainThreadId = 0;

}  // namespace

CWorkerApp::CWorkerApp(const char* title, int x, int y, int width, int height, Work work, const char* options)
    : m_sTitle(title),
      m_sOptions(options),
      m_nX(x),
      m_nY(y),
      m_nWidth(width),
      m_nHeight(height),
      m_pWork(std::move(work)) {}

CWorkerApp::~CWorkerApp() {
    if (m_hWorker)
        CloseHandle(m_hWorker);
}

DWORD CWorkerApp::MainThreadId() {
    return g_nMainThreadId;
}

bool CWorkerApp::InitInstance() {
    if (!CWinApp::InitInstance())
        return false;
    g_nMainThreadId = GetCurrentThreadId();
    m_pMainWnd = std::make_unique<CMainFrame>();
    if (!m_pMainWnd->LoadFrame(Instance(), m_sTitle))
        return false;
    // Like every long-lived object of the installer, the toolkit ends with
    // the process.
    m_pToolkit = new CCorvane(nullptr, Instance());
    if (!m_pToolkit->CreateWindow(m_nX, m_nY, m_nWidth, m_nHeight, m_sTitle, m_sOptions))
        return false;
    m_hWorker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, kWorkerStackSize, WorkerMain, this, 0, nullptr));
    return m_hWorker != nullptr;
}

unsigned __stdcall CWorkerApp::WorkerMain(void* self) {
    CWorkerApp& app = *static_cast<CWorkerApp*>(self);
    app.m_nResult = app.m_pWork(*app.m_pToolkit);
    SendMessageA(app.m_pMainWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
    return 0;
}

int CWorkerApp::RunWorker(HINSTANCE instance) {
    Run(instance);
    if (!m_hWorker)
        return 1;
    WaitForSingleObject(m_hWorker, INFINITE);
    return m_nResult;
}

void WaitUntilClosed(CCorvaneCore& core, int window) {
    while (core.WaitEvents(window, "CloseWindow", 0) && !core.Window.CloseRequested(window)) {
    }
}
