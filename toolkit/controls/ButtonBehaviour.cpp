// What a button does with the user's clicks, the pointer passing over it
// and keys that reach it.
#include <process.h>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/events/EventNames.h"
#include "toolkit/shadow/LayeredAttributes.h"

namespace {

constexpr unsigned kCallbackStackSize = 100000;

struct ThreadCall {
    ButtonCallbackBinding callback;
    int button;
};

void Invoke(const ButtonCallbackBinding& callback, int button) {
    if (callback.asClass)
        static_cast<CCorButton*>(callback.user)->OnClick();
    else
        callback.function(callback.user, button);
}

unsigned __stdcall RunCallback(void* argument) {
    ThreadCall* call = static_cast<ThreadCall*>(argument);
    Invoke(call->callback, call->button);
    delete call;
    return 0;
}

void CallClickCallback(const ButtonState& b, int button) {
    const ButtonCallbackBinding callback = b.click.Get();
    if (callback.asClass ? !callback.user : !callback.function)
        return;
    if (!callback.asThread) {
        Invoke(callback, button);
        return;
    }
    auto* call = new ThreadCall{callback, button};
    const uintptr_t thread = _beginthreadex(nullptr, kCallbackStackSize, RunCallback, call, 0, nullptr);
    if (thread)
        CloseHandle(reinterpret_cast<HANDLE>(thread));
    else
        delete call;
}

void Track(HWND window, DWORD flags, DWORD hoverTime = HOVER_DEFAULT) {
    TRACKMOUSEEVENT track = {sizeof(track), flags, window, hoverTime};
    TrackMouseEvent(&track);
}

void TellHover(const ButtonState& b, int button, int code, int value) {
    const HoverBinding hover = b.hover.Get();
    if (hover.function)
        hover.function(hover.user, button, code, value);
}

}  // namespace

// The pointer over the button: the hover callback follows it, and the hot
// state, which the drawing shows, lasts until the pointer leaves.
bool CCorvaneCore::OnButtonHover(CorItem& item, UINT message, LPARAM lParam) {
    ButtonState& b = *item.button;
    switch (message) {
    case WM_MOUSEMOVE:
        if (const HoverBinding hover = b.hover.Get(); hover.function) {
            Track(item.window, TME_HOVER, hover.hoverTime);
            hover.function(hover.user, item.Handle(), kHoverEntered, static_cast<int>(hover.hoverTime));
        }
        return true;
    case WM_MOUSEHOVER:
        TellHover(b, item.Handle(), kHoverRested, static_cast<int>(lParam));
        return true;
    case WM_MOUSELEAVE:
        TellHover(b, item.Handle(), kHoverLeft, 0);
        b.hot = false;
        InvalidateRect(item.window, nullptr, FALSE);
        ApplyLayeredAttributes();
        return true;
    case WM_CAPTURECHANGED:
        TellHover(b, item.Handle(), kHoverLeft, 0);
        return true;
    case WM_SETCURSOR:
        if (!b.hot) {
            Track(item.window, TME_LEAVE);
            b.hot = true;
            InvalidateRect(item.window, nullptr, FALSE);
            SetLayeredTarget(item.window);
            ApplyLayeredAttributes();
        }
        return true;
    default:
        return false;
    }
}

// What a press does, from the mouse or the keyboard alike.
void CCorvaneCore::PressButton(CorItem& item) {
    ButtonState& b = *item.button;
    b.clicked = 1;
    b.checked = b.checked ? 0 : 1;
    b.pressed = true;
    CallClickCallback(b, item.Handle());
    RaiseEvent(kEventButton, item.parent);
}

void CCorvaneCore::ReleaseButton(CorItem& item) {
    ButtonState& b = *item.button;
    b.released = 1;
    b.pressed = false;
    RaiseEvent(kEventButton, item.parent);
}

// A check box or radio button: the toolkit keeps the state and shows it,
// through the system's drawing or its own, and the program hears of it once
// the state has changed.
void CCorvaneCore::ToggleCheckBox(CorItem& item) {
    ButtonState& b = *item.button;
    b.checked = b.checked ? 0 : 1;
    b.clicked = 1;
    SendMessageA(item.window, BM_SETCHECK, b.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (b.ownerDrawn)
        InvalidateRect(item.window, nullptr, FALSE);
    RaiseEvent(kEventButton, item.parent);
}

bool CCorvaneCore::OnButtonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    CorItem* item = FindItemByWindow(window);
    if (!item || item->kind != kKindButton || !item->button)
        return false;
    ButtonState& b = *item->button;
    const bool check = b.options.checkBox || b.options.radioButton;
    if (OnButtonHover(*item, message, lParam))
        return false;  // the system keeps its own hot state too
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
        // Posted: the target may belong to a thread that is waiting on this one.
        const HWND target = m_hKeyboardTarget.load();
        if (!target)
            return false;
        PostMessageA(target, message, wParam, lParam);
        result = 0;
        return true;
    }
    case WM_LBUTTONDBLCLK:
        // The second click of a quick pair is a click like the first; the
        // system would make it a notification the toolkit never counted.
        SendMessageA(window, WM_LBUTTONDOWN, wParam, lParam);
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        if (!check)
            PressButton(*item);
        return false;
    case WM_LBUTTONUP:
        // A check box is heard of once, when its state has changed.
        if (check)
            b.released = 1;
        else
            ReleaseButton(*item);
        return false;
    case WM_ERASEBKGND:
        if (!b.ownerDrawn)
            return false;
        if (b.options.transparent) {
            RECT r;
            GetClientRect(window, &r);
            PaintSavedBackground(b, reinterpret_cast<HDC>(wParam), r);
        }
        result = 1;  // the owner draw paints the rest
        return true;
    default:
        return false;
    }
}

void CCorvaneCore::OnButtonCommand(HWND control, WORD notification) {
    CorItem* item = FindItemByWindow(control);
    if (!item || item->kind != kKindButton || notification != BN_CLICKED)
        return;
    if (item->button->options.checkBox || item->button->options.radioButton)
        ToggleCheckBox(*item);
}
