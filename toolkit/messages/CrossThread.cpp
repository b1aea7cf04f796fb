// Calls carried to the main thread (or a window's own thread) while the
// caller is suspended, freezing a window's painting, and detaching child
// windows.
#include "toolkit/core/CorvaneCore.h"

namespace {

constexpr DWORD kCallPollMs = 50;
constexpr int kDetachMargin = 5;
constexpr const char* kReAttachText = "ReAttach";

}  // namespace

// One call record per carrier and one busy flag: concurrent callers take
// turns instead of overwriting each other's record. While it polls, the
// caller may be suspended by the target thread at any instruction, so it
// reads memory only: a thread frozen inside a system call could hold a lock
// that the callback (a message box, say) needs.
int CCorvaneCore::PostCall(CorItem& carrier, HWND target, const std::atomic<bool>& targetAlive, WPARAM code,
                           MainThreadCallback callback, void* first, void* second) {
    int expected = 0;
    while (!m_nCallBusy.compare_exchange_weak(expected, 1)) {
        expected = 0;
        Sleep(0);
    }
    MainThreadCall& call = carrier.call;
    call.callback = callback;
    call.first = first;
    call.second = second;
    call.caller = DuplicateCurrentThread();
    call.done = 0;
    call.posted = 0;
    bool ran = PostMessageA(target, kRequestMessage, code, reinterpret_cast<LPARAM>(&carrier)) != FALSE;
    call.posted = 1;
    while (ran && !call.done) {
        Sleep(kCallPollMs);
        // A window destroyed before it saw the request never runs it.
        if (!targetAlive.load() && !call.done)
            ran = false;
    }
    if (!ran)
        CloseHandle(call.caller);
    m_nCallBusy = 0;
    return ran ? 1 : 0;
}

int CCorvaneCore::RunOnMainThread(MainThreadCallback callback, void* first, void* second) {
    CorItem* carrier = FindWindowItem(1);
    if (!carrier)
        return 0;
    if (OnMainThread()) {
        callback(first, second);
        return 1;
    }
    return PostCall(*carrier, m_hFrame, m_bFrameAlive, kRequestRunCall, callback, first, second);
}

int CCorvaneCore::RunOnWindowThread(int window, MainThreadCallback callback, void* first, void* second) {
    CorItem* carrier = FindWindowItem(window);
    if (!carrier)
        return 0;
    if (GetWindowThreadProcessId(carrier->window, nullptr) == GetCurrentThreadId()) {
        callback(first, second);
        return 1;
    }
    return PostCall(*carrier, carrier->window, carrier->live, kRequestRunCallHere, callback, first, second);
}

// The caller stays suspended while its callback runs, so the two never run
// at the same time. Once resumed, the caller may at once start its next call
// on the same carrier and store a new handle there, so the record is read
// before the caller runs again.
void CCorvaneCore::RunCall(CorItem& carrier) {
    MainThreadCall& call = carrier.call;
    const HANDLE caller = call.caller;
    // Served before the caller's post returned, it would be frozen inside
    // the window system.
    while (!call.posted)
        Sleep(0);
    FreezeThread(caller);
    call.callback(call.first, call.second);
    call.done = 1;
    ResumeThread(caller);
    CloseHandle(caller);
}

int CCorvaneCore::FreezeWindow(int window) {
    CorItem* item = FindWindowItem(window);
    if (!item || item->surface->busy.IsBusy())
        return 0;
    CWindowSurface& s = *item->surface;
    if (s.frozen)
        return 1;
    // The window's own thread would wait for a request it can never handle.
    if (GetWindowThreadProcessId(item->window, nullptr) == GetCurrentThreadId()) {
        s.frozen = 1;
        return 1;
    }
    PostMessageA(item->window, kRequestMessage, kRequestFreeze, 0);
    while (!s.frozen) {
        if (!item->live)
            return 0;
        Sleep(0);
    }
    return 1;
}

int CCorvaneCore::UnfreezeWindow(int window) {
    CorItem* item = FindWindowItem(window);
    if (!item)
        return 0;
    item->surface->Hold(CSurfaceBusy::kPresenting, [](CWindowSurface& s) { s.Update(); });
    item->surface->frozen = 0;
    return 1;
}

void CCorvaneCore::ToggleAttach(CorItem& item) {
    AttachState& a = item.attach;
    const HWND window = item.window;
    if (!a.detached) {
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        const HWND parent = GetParent(window);
        if (!(style & WS_CHILD) || !parent)
            return;
        RECT placement;
        GetWindowRect(window, &placement);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placement), 2);
        a = {true, parent, placement, style};
        ShowWindow(window, SW_HIDE);
        SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_OVERLAPPEDWINDOW);
        SetParent(window, nullptr);
        POINT origin = {0, 0};
        ClientToScreen(parent, &origin);
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        GetWindowPlacement(window, &wp);
        const int left = origin.x + placement.left + kDetachMargin;
        const int top = origin.y + placement.top + kDetachMargin;
        wp.rcNormalPosition = {left, top, left + placement.right - placement.left,
                               top + placement.bottom - placement.top};
        wp.showCmd = SW_SHOW;
        SetWindowPlacement(window, &wp);
        AppendMenuA(GetSystemMenu(window, FALSE), MF_STRING, kReAttachCommand, kReAttachText);
        return;
    }
    GetSystemMenu(window, TRUE);
    const LONG border = (a.style & WS_BORDER) ? 0 : WS_BORDER;
    SetWindowLongA(window, GWL_STYLE, WS_CHILD | WS_VISIBLE | border);
    SetParent(window, a.parent);
    SetWindowPos(window, HWND_TOP, a.placement.left, a.placement.top, a.placement.right - a.placement.left,
                 a.placement.bottom - a.placement.top, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    a.detached = false;
}
