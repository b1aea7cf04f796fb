// The application's frame window with its view and status bar. It is never
// shown; closing it (WM_CLOSE, from any thread) ends the message loop and so
// the application.
#pragma once

#include "toolkit/core/Platform.h"

// The frame's client: a sunken pane that paints nothing.
class CChildView {
  public:
    bool Create(HINSTANCE instance, HWND parent);
    HWND GetSafeHwnd() const { return m_hWnd; }

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    HWND m_hWnd = nullptr;
};

// The about box: dialog resource aboutDialog, modal on owner.
class CAboutDlg {
  public:
    explicit CAboutDlg(int aboutDialog) : m_nDialog(aboutDialog) {}
    INT_PTR DoModal(HINSTANCE instance, HWND owner) const;

  private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

    int m_nDialog;
};

class CMainFrame {
  public:
    CMainFrame() = default;
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Creates the (hidden) frame window; false on failure.
    bool LoadFrame(HINSTANCE instance, const char* title);
    // The same with the title, menu and accelerators of resource id; its
    // about command opens dialog aboutDialog.
    bool LoadFrame(HINSTANCE instance, int id, int aboutDialog);
    HWND GetSafeHwnd() const { return m_hWnd; }
    // True when message was one of the frame's accelerators and is handled.
    bool TranslateAccelerator(MSG& message) const;

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT, WPARAM, LPARAM);
    bool OnCreate();

    HINSTANCE m_hInstance = nullptr;
    HWND m_hWnd = nullptr;
    HWND m_hStatusBar = nullptr;
    HACCEL m_hAccelerators = nullptr;
    int m_nAboutDialog = 0;
    CChildView m_wndView;
};
