// The application object: set-up on the main thread, then the message loop
// that serves every window of the process until the frame is closed.
#pragma once

#include <memory>

#include "app/MainFrame.h"

class CWinApp {
  public:
    virtual ~CWinApp();

    // Initialises OLE. A derived application calls this first, then builds
    // its frame and its start-up; false ends the application before the loop.
    virtual bool InitInstance();

    // InitInstance, then the message loop until the frame is destroyed.
    // Returns the process's exit code.
    int Run(HINSTANCE instance);

    HINSTANCE Instance() const { return m_hInstance; }

    std::unique_ptr<CMainFrame> m_pMainWnd;

  private:
    HINSTANCE m_hInstance = nullptr;
    bool m_bOleInitialised = false;
};
