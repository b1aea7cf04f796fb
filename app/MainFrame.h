// The application's frame window. It is never shown; closing it (WM_CLOSE,
// from any thread) ends the message loop and so the application.
#pragma once

#include "toolkit/core/Platform.h"

class CMainFrame {
  public:
    CMainFrame() = default;
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Creates the (hidden) frame window; false on failure.
    bool LoadFrame(HINSTANCE instance, const char* title);
    HWND GetSafeHwnd() const { return m_hWnd; }

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    HWND m_hWnd = nullptr;
};
