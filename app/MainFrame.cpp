#include "app/MainFrame.h"

namespace {

constexpr const char* kFrameClassName = "OrvalisMainFrame";

// A caption and sizing frame but no system menu.
constexpr DWORD kFrameStyle = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

bool RegisterFrameClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kFrameClassName, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kFrameClassName;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

CMainFrame::~CMainFrame() {
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

bool CMainFrame::LoadFrame(HINSTANCE instance, const char* title) {
    if (!RegisterFrameClass(instance, WindowProc))
        return false;
    m_hWnd = CreateWindowExA(0, kFrameClassName, title, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    return m_hWnd != nullptr;
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
