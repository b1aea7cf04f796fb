#include "toolkit/core/WindowOps.h"

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/shadow/WndShadow.h"

CWindowOps::CWindowOps(CCorvaneCore& core) : CTextOps(core, kKindWindow) {}

int CWindowOps::Close(int window) {
    CorItem* item = m_stCore.FindWindowItem(window);
    if (!item)
        return 0;
    SendMessageA(item->window, WM_CLOSE, 0, 0);
    return 1;
}

// Windows belong to the main thread, which alone may destroy them; a local
// window is destroyed by its own thread.
int CWindowOps::Destroy(int window) {
    CorItem* item = m_stCore.FindWindowItem(window);
    if (!item)
        return 0;
    DestroyWindowOnItsThread(item->window);
    return 1;
}

void CWindowOps::CloseControl(CorItem& control) {
    DestroyWindowOnItsThread(control.window);
    m_stCore.RetireControl(control);
}

void CWindowOps::DestroyWindowOnItsThread(HWND window) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        DestroyWindow(window);
    else
        SendMessageA(m_stCore.FrameWindow(), kRequestMessage, kRequestDestroy, reinterpret_cast<LPARAM>(window));
}

int CWindowOps::Show(int window, int mode) {
    CorItem* item = m_stCore.FindWindowItem(window);
    if (!item)
        return 0;
    // The whole window is painted again from its back buffer; the erase of
    // the first paint is not repeated, which would wipe what was drawn.
    InvalidateRect(item->window, nullptr, FALSE);
    SendMessageA(item->window, kRequestMessage, kRequestShow, mode ? mode : SW_SHOW);
    const int shadowMode = item->surface->shadowMode.load();
    if (shadowMode > 0 && !CWndShadow::HasShadow(item->window))
        SendMessageA(item->window, kRequestMessage, kRequestShadow, shadowMode > 1 ? 1 : 0);
    return 1;
}

int CWindowOps::Hide(int window) {
    CorItem* item = m_stCore.FindWindowItem(window);
    if (!item)
        return 0;
    ShowWindow(item->window, SW_HIDE);
    return 1;
}

int CWindowOps::SetPos(int window, int x, int y) {
    CorItem* item = m_stCore.FindWindowItem(window);
    if (!item)
        return 0;
    SetWindowPos(item->window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    InvalidateRect(item->window, nullptr, FALSE);
    return 1;
}

int CWindowOps::AdjustPos(int window, int dx, int dy) {
    CorItem* item = m_stCore.FindWindowItem(window);
    if (!item)
        return 0;
    RECT r;
    GetWindowRect(item->window, &r);
    return SetPos(window, r.left + dx, r.top + dy);
}

int CWindowOps::GetPosX(int window) {
    CWindowSurface* s = Surface(window);
    return s ? s->latches.posX.load() : 0;
}

int CWindowOps::GetPosY(int window) {
    CWindowSurface* s = Surface(window);
    return s ? s->latches.posY.load() : 0;
}

// Focus can only be given by the window's own thread.
// A control's focus is given by the window it stands in, on that window's
// thread, which the focus belongs to.
int CWindowOps::SetFocus(int handle) {
    CorItem* item = m_stCore.FindItem(handle);
    if (!item || !item->live.load() || !item->window || (item->kind & kKindHiddenFromWindowLookUp))
        return 0;
    if (item->kind == kKindWindow) {
        SendMessageA(item->window, kRequestMessage, kRequestActivate, 0);
        return 1;
    }
    CorItem* screen = m_stCore.ScreenOf(item->window);
    if (!screen)
        return 0;
    SendMessageA(screen->window, kRequestMessage, kRequestActivate, reinterpret_cast<LPARAM>(item->window));
    return 1;
}

HWND CWindowOps::GetHwnd(int window) {
    CorItem* item = m_stCore.FindWindowItem(window);
    return item ? item->window : nullptr;
}

HDC CWindowOps::GetDC(int window) {
    CWindowSurface* s = Surface(window);
    return s ? s->WindowDC() : nullptr;
}

int CWindowOps::SetCloseCallback(int window, CloseCallback callback, void* user) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    s->closeCallback.Set({callback, user});
    return 1;
}

int CWindowOps::SetDestroyCallback(int window, CloseCallback callback, void* user) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    s->destroyCallback.Set({callback, user});
    return 1;
}

int CWindowOps::SetMessageHook(int window, MessageHook hook, void* user) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    s->hook.Set({hook, user});
    return 1;
}

int CWindowOps::SetTimerCallback(int window, TimerCallback callback, void* user) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    s->timerCallback.Set({callback, user});
    return 1;
}

int CWindowOps::SetKeepOpen(int window, bool keepOpen) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    s->keepOpen = keepOpen ? 1 : 0;
    return 1;
}

int CWindowOps::SetCancelButton(int window, int button) {
    CWindowSurface* s = Surface(window);
    if (!s || !m_stCore.FindLiveItem(button, kKindButton))
        return 0;
    s->cancelButton = button;
    return 1;
}

int CWindowOps::SetDropShadow(int window, int mode) {
    CWindowSurface* s = Surface(window);
    if (!s || mode < 0)
        return 0;
    s->shadowMode = mode;
    return 1;
}

int CWindowOps::CloseRequested(int window) {
    CWindowSurface* s = Surface(window);
    return s ? s->latches.closeRequested.exchange(0) : 0;
}

// Also lets the window's queued messages be looked at, as a program polling
// for clicks expects its window to stay responsive.
int CWindowOps::MouseClicked(int window) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    return s->latches.mouseClicked.exchange(0);
}

int CWindowOps::DoubleClicked(int window) {
    CWindowSurface* s = Surface(window);
    return s ? s->latches.doubleClicked.exchange(0) : 0;
}

int CWindowOps::MouseMoved(int window) {
    CWindowSurface* s = Surface(window);
    return s ? s->latches.mouseMoved.exchange(0) : 0;
}

int CWindowOps::GetMousePos(int window, int& x, int& y) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    s->latches.mouseMoved = 0;
    x = s->latches.mouseX;
    y = s->latches.mouseY;
    return s->latches.mouseSeen.load();
}

int CWindowOps::ResetMouse(int window) {
    CWindowSurface* s = Surface(window);
    if (!s)
        return 0;
    WindowLatches& l = s->latches;
    l.buttonDown = 0;
    l.doubleClicked = 0;
    l.mouseClicked = 0;
    l.mouseMoved = 0;
    l.wheel = 0;
    return 1;
}

int CWindowOps::GetKey(int window) {
    CWindowSurface* s = Surface(window);
    return s ? s->keys.Pop() : 0;
}

TextWindow* CWindowOps::TextWindowOf(int window) const {
    CWindowSurface* s = Surface(window);
    return s ? s->HostedTextWindow() : nullptr;
}

int CWindowOps::StartLog(int window, const char* path) {
    TextWindow* text = TextWindowOf(window);
    return text && text->StartLog(path) ? 1 : 0;
}

int CWindowOps::EndLog(int window) {
    TextWindow* text = TextWindowOf(window);
    if (!text)
        return 0;
    text->EndLog();
    return 1;
}

const char* CWindowOps::ReadLine(int window) {
    TextWindow* text = TextWindowOf(window);
    return text ? text->ReadLine() : "";
}

int CWindowOps::SetTextLines(int window, int lines) {
    TextWindow* text = TextWindowOf(window);
    if (!text)
        return 0;
    text->SetTextLines(lines);
    return 1;
}

int CWindowOps::ToggleAttach(int window) {
    CorItem* item = m_stCore.FindWindowItem(window);
    if (!item)
        return 0;
    SendMessageA(m_stCore.FrameWindow(), kRequestMessage, kRequestAttachToggle, reinterpret_cast<LPARAM>(item));
    return 1;
}
