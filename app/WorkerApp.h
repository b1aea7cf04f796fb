// An application laid out as the installer is: the main thread creates the
// toolkit and window 1 and runs the message loop; a worker thread runs the
// program's logic and closes the frame when it is done, which ends the loop.
#pragma once

#include <functional>

#include "app/Application.h"
#include "toolkit/core/Corvane.h"

// A program's last step: waits until the user closes window.
void WaitUntilClosed(CCorvaneCore& core, int window);

class CWorkerApp : public CWinApp {
  public:
    using Work = std::function<int(CCorvane&)>;

    // Window 1 gets the title, place and options; it stays hidden until the
    // work shows it.
    CWorkerApp(const char* title, int x, int y, int width, int height, Work work, const char* options = "");
    ~CWorkerApp() override;

    bool InitInstance() override;
    // Runs the application; the worker's result, or 1 when start-up failed.
    int RunWorker(HINSTANCE instance);

    static DWORD MainThreadId();

  private:
    static unsigned __stdcall WorkerMain(void* self);

    const char* m_sTitle;
    const char* m_sOptions;
    int m_nX, m_nY, m_nWidth, m_nHeight;
    Work m_pWork;
    CCorvane* m_pToolkit = nullptr;
    HANDLE m_hWorker = nullptr;
    int m_nResult = 1;
};
