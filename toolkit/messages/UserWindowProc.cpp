// The procedure of every toolkit window: until WM_CREATE has registered the
// window the system handles its messages; afterwards the toolkit does.
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/events/EventNames.h"
#include "toolkit/shadow/WndShadow.h"

namespace {

constexpr int kWheelNotch = 120;

// Keys the key buffer records besides characters.
struct MovementKey {
    WPARAM virtualKey;
    int code;
    int shiftedCode;
};
const MovementKey kMovementKeys[] = {
    {VK_UP, 256, 337},   {VK_DOWN, 257, 336},  {VK_RIGHT, 258, 258},
    {VK_LEFT, 259, 259}, {VK_PRIOR, 260, 260}, {VK_NEXT, 261, 261},
};

}  // namespace

LRESULT CALLBACK CCorvaneCore::UserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CCorvaneCore* core = CorvaneCore();
    CorItem* item = reinterpret_cast<CorItem*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (core && item)
        return core->OnSurfaceMessage(*item, message, wParam, lParam);
    if (core && message == WM_CREATE)
        return core->OnUserWindowCreate(window, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A hosted text window ("textonly") is a toolkit window like any other, but
// draws and scrolls itself; a free-standing one belongs to its text window alone.
LRESULT CALLBACK CCorvaneCore::TextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CCorvaneCore* core = CorvaneCore();
    CorItem* item = reinterpret_cast<CorItem*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (core && item && item->textWindow)
        return core->OnTextWindowMessage(*item, message, wParam, lParam);
    if (TextWindow* free = TextWindow::OfFreeWindow(window)) {
        LRESULT result = 0;
        if (free->OnMessage(message, wParam, lParam, result))
            return result;
    } else if (core && message == WM_CREATE && reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams) {
        return core->OnUserWindowCreate(window, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CCorvaneCore::OnTextWindowMessage(CorItem& item, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (item.textWindow->OnMessage(message, wParam, lParam, result))
        return result;
    return OnSurfaceMessage(item, message, wParam, lParam);
}

bool CCorvaneCore::OnMouseMessage(CorItem& item, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowLatches& l = item.surface->latches;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        l.mouseX = x, l.mouseY = y;
        l.mouseClicked = 1;
        l.buttonDown = 1;
        if (message == WM_LBUTTONDBLCLK)
            l.doubleClicked = 1;
        RaiseEvent(kEventAnyMouse, &item);
        RaiseEvent(kEventMouseDown, &item);
        RaiseEvent(kEventLeftClick, &item);
        return true;
    case WM_LBUTTONUP:
        l.buttonDown = 0;
        l.buttonUp = 1;
        RaiseEvent(kEventAnyMouse, &item);
        RaiseEvent(kEventMouseUp, &item);
        return true;
    case WM_MOUSEMOVE:
        // The recorded position is also the last click's: a move to where
        // the pointer already was is no move.
        if (x == l.mouseX && y == l.mouseY)
            return true;
        l.mouseX = x, l.mouseY = y;
        l.mouseSeen = 1;
        l.mouseMoved = 1;
        RaiseEvent(kEventAnyMouse, &item);
        RaiseEvent(kEventMouseMove, &item);
        return true;
    case WM_RBUTTONDOWN:
        l.mouseX = x, l.mouseY = y;
        return true;
    case WM_MOUSEWHEEL:
        l.wheel = GET_WHEEL_DELTA_WPARAM(wParam) / kWheelNotch;
        RaiseEvent(kEventAnyMouse, &item);
        return true;
    default:
        return false;
    }
}

namespace {

// Shift and Ctrl are remembered while held, for the keys typed meanwhile.
void TrackModifier(WindowLatches& l, WPARAM key, int down) {
    if (key == VK_SHIFT)
        l.shiftDown = down;
    else if (key == VK_CONTROL)
        l.ctrlDown = down;
}

}  // namespace

bool CCorvaneCore::OnKeyMessage(CorItem& item, UINT message, WPARAM wParam) {
    WindowLatches& l = item.surface->latches;
    switch (message) {
    case WM_CHAR:
        item.surface->keys.Push(static_cast<int>(wParam));
        RaiseEvent(kEventKey, &item);
        return true;
    case WM_KEYDOWN:
        TrackModifier(l, wParam, 1);
        for (const MovementKey& k : kMovementKeys) {
            if (k.virtualKey == wParam) {
                item.surface->keys.Push(l.shiftDown ? k.shiftedCode : k.code);
                RaiseEvent(kEventKey, &item);
            }
        }
        return true;
    case WM_KEYUP:
        TrackModifier(l, wParam, 0);
        return true;
    default:
        return false;
    }
}

// Nobody consumed the close: the window goes unless the program keeps it.
// Only its own thread can destroy a window; a "localwindow" one is asked to.
void CCorvaneCore::FinishClose(CorItem& item, bool consumed) {
    if (consumed)
        item.surface->latches.closeState = 16;
    else if (item.surface->keepOpen)
        return;
    else if (GetWindowThreadProcessId(item.window, nullptr) == GetCurrentThreadId())
        DestroyWindow(item.window);
    else
        PostMessageA(item.window, kRequestMessage, kRequestDestroyHere, 0);
}

LRESULT CCorvaneCore::OnClose(CorItem& item) {
    CWindowSurface& s = *item.surface;
    const auto onClose = s.closeCallback.Get();
    if (onClose.function)
        onClose.function(onClose.user, item.Handle());
    s.latches.closeRequested = 1;
    // A close that arrives while a wait is being set up is decided once that
    // wait is in place (DeliverPendingEvents).
    const RaiseResult result = RaiseEvent(kEventCloseWindow, &item);
    if (result != RaiseResult::Pending)
        FinishClose(item, result == RaiseResult::Resumed);
    return 0;
}

void CCorvaneCore::OnDestroy(CorItem& item) {
    CWindowSurface& s = *item.surface;
    const auto onDestroy = s.destroyCallback.Get();
    if (onDestroy.function)
        onDestroy.function(onDestroy.user, item.Handle());
    item.live.store(false);
    m_nAlive.fetch_sub(1);
    RetireControlsOf(item);
    s.DestroySurface();
}

LRESULT CCorvaneCore::OnPaint(CorItem& item) {
    // A frozen window paints nothing until it is unfrozen, which presents the
    // back buffer; validated, so that the system stops asking meanwhile.
    if (item.surface->frozen) {
        ValidateRect(item.window, nullptr);
        return 0;
    }
    std::atomic<int>& painting = PaintingFlag();
    painting = 1;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(item.window, &paint);
    item.surface->Paint(dc);
    EndPaint(item.window, &paint);
    painting = 16;
    painting = 0;
    return 0;
}

// A window may not be dragged larger than it was made.
LRESULT CCorvaneCore::OnSizing(CorItem& item, WPARAM edge, RECT& rect) {
    if (rect.right - rect.left > item.width) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
            rect.left = rect.right - item.width;
        else
            rect.right = rect.left + item.width;
    }
    if (rect.bottom - rect.top > item.height) {
        if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT)
            rect.bottom = rect.top + item.height;
        else
            rect.top = rect.bottom - item.height;
    }
    return 1;
}

LRESULT CCorvaneCore::OnUserWindowRequest(CorItem& item, WPARAM code, LPARAM argument) {
    switch (code) {
    case kRequestFreeze:
        item.surface->frozen = 1;
        return 1;
    case kRequestRaiseEvent:
        RaiseEvent(static_cast<int>(argument), &item);
        return 1;
    case kRequestRunCallHere:
        RunCall(*reinterpret_cast<CorItem*>(argument));
        return 1;
    case kRequestShow:
        ShowWithFocus(item, static_cast<int>(argument));
        return 1;
    case kRequestActivate: {
        // A control of a window not shown yet gets the focus when the window
        // is shown, so that it never shows with the focus elsewhere.
        const HWND focus = argument ? reinterpret_cast<HWND>(argument) : item.window;
        if (focus != item.window && !IsWindowVisible(item.window))
            item.surface->savedFocus = focus;
        else
            Activate(item.window, focus);
        return 1;
    }
    case kRequestDestroyHere:
        DestroyWindow(item.window);
        return 1;
    case kRequestShadow:
        // Without UpdateLayeredWindow the class stays unregistered and
        // CreateShadow does nothing: the window goes without a shadow.
        CWndShadow::InitShadowClass(m_hInstance);
        CWndShadow::CreateShadow(std::make_unique<CWndShadow>(), item.window, argument != 0);
        return 1;
    default:
        return 0;
    }
}

LRESULT CCorvaneCore::OnSurfaceMessage(CorItem& item, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = item.window;
    CWindowSurface& s = *item.surface;
    const auto hook = s.hook.Get();
    if (hook.function) {
        s.hookMessage = {message, wParam, lParam, false};
        const LRESULT result = hook.function(hook.user, s.hookMessage);
        if (s.hookMessage.handled || result == 0 || result == 1)
            return result;
        if (result == 2)
            return DefWindowProcA(window, message, wParam, lParam);
    }
    if (OnMouseMessage(item, message, wParam, lParam))
        return message == WM_MOUSEWHEEL ? 1 : 0;
    if (OnKeyMessage(item, message, wParam))
        return 0;
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0) {  // a menu command
            s.latches.menuCommand = 1;
            s.latches.menuItem = static_cast<int>(LOWORD(wParam));
            RaiseEvent(kEventMenu, &item);
        } else if (!OnListCommand(item, reinterpret_cast<HWND>(lParam), HIWORD(wParam))) {
            OnButtonCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        }
        return 0;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        LRESULT brush = 0;
        if (OnListColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), brush))
            return brush;
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam && OnScrollMessage(item, message, wParam, reinterpret_cast<HWND>(lParam)))
            return 1;
        break;
    case WM_DRAWITEM:
        if (OnDrawItem(wParam, lParam))
            return TRUE;
        break;
    case WM_SYSCOMMAND:
        if (wParam == kReAttachCommand) {
            ToggleAttach(item);
            return 0;
        }
        break;
    case WM_TIMER:
        s.latches.timer = 1;
        if (const auto onTimer = s.timerCallback.Get(); onTimer.function)
            onTimer.function(onTimer.user, item.Handle(), wParam);
        else
            RaiseEvent(kEventTimer, &item);
        return 0;
    case WM_SIZING:
        return OnSizing(item, wParam, *reinterpret_cast<RECT*>(lParam));
    case WM_CLOSE:
        return OnClose(item);
    case WM_DESTROY:
        OnDestroy(item);
        return 0;
    case WM_PAINT:
        return OnPaint(item);
    case WM_ERASEBKGND:
        return 1;
    case WM_ACTIVATE:
        if (KeepFocus(item, wParam))
            return 0;
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            RememberFocus(item, true);
        break;
    case WM_MOVE:
        s.latches.posX = GET_X_LPARAM(lParam);
        s.latches.posY = GET_Y_LPARAM(lParam);
        break;
    case kRequestMessage:
        return OnUserWindowRequest(item, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
