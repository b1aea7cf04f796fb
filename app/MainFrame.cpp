#include "app/MainFrame.h"

#include <commctrl.h>

namespace {

constexpr const char* kFrameClassName = "OrvalisMainFrame";
constexpr const char* kViewClassName = "OrvalisChildView";
constexpr int kTitleLength = 256;
constexpr UINT kStatusBarId = 0xE801;
constexpr UINT kPaneId = 0xE900;
constexpr WPARAM kAboutCommand = 0xE140;

// A caption and sizing frame but no system menu.
constexpr DWORD kFrameStyle = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

bool RegisterClassOnce(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, name, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

bool CChildView::Create(HINSTANCE instance, HWND parent) {
    if (!RegisterClassOnce(instance, kViewClassName, WindowProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS))
        return false;
    m_hWnd = CreateWindowExA(WS_EX_CLIENTEDGE, kViewClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPaneId)), instance, nullptr);
    return m_hWnd != nullptr;
}

LRESULT CALLBACK CChildView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CAboutDlg::DoModal(HINSTANCE instance, HWND owner) const {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(m_nDialog), owner, DialogProc, 0);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

CMainFrame::~CMainFrame() {
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

bool CMainFrame::LoadFrame(HINSTANCE instance, const char* title) {
    m_hInstance = instance;
    if (!RegisterClassOnce(instance, kFrameClassName, WindowProc, 0))
        return false;
    m_hWnd = CreateWindowExA(0, kFrameClassName, title, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, nullptr, nullptr, instance, this);
    return m_hWnd != nullptr;
}

bool CMainFrame::LoadFrame(HINSTANCE instance, int id, int aboutDialog) {
    char title[kTitleLength] = {};
    LoadStringA(instance, static_cast<UINT>(id), title, sizeof title);
    m_nAboutDialog = aboutDialog;
    if (!LoadFrame(instance, title))
        return false;
    SetMenu(m_hWnd, LoadMenuA(instance, MAKEINTRESOURCEA(id)));
    m_hAccelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(id));
    return true;
}

bool CMainFrame::TranslateAccelerator(MSG& message) const {
    return m_hAccelerators && ::TranslateAcceleratorA(m_hWnd, m_hAccelerators, &message);
}

bool CMainFrame::OnCreate() {
    if (!m_wndView.Create(m_hInstance, m_hWnd))
        return false;
    m_hStatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), m_hInstance, nullptr);
    return m_hStatusBar != nullptr;
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<CMainFrame*>(create->lpCreateParams)->m_hWnd = window;
    }
    auto* frame = reinterpret_cast<CMainFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return frame ? frame->OnMessage(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SETFOCUS:
        if (m_wndView.GetSafeHwnd())
            SetFocus(m_wndView.GetSafeHwnd());
        return 0;
    case WM_COMMAND:
        if (wParam == kAboutCommand && m_nAboutDialog) {
            CAboutDlg(m_nAboutDialog).DoModal(m_hInstance, m_hWnd);
            return 0;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(m_hWnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}
