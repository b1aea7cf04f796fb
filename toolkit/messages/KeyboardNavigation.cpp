// The keys of a dialog, given to every toolkit window that has controls:
// Tab and Shift+Tab move the focus through them in the order they were made,
// Space presses the focused button, Enter the focused button or else the
// window's first, Escape takes the window's way out; and the movement keys
// and the wheel scroll the window's document. As the system's dialog
// manager does, this runs in the message loop, before a key reaches the
// control that has the focus, so a key presses a button exactly as a click
// does and never a second time through the control's own handling.
#include <algorithm>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/controls/TabOrder.h"

namespace {

constexpr int kWheelNotch = 120;

bool IsRepeat(LPARAM keyData) {
    return (HIWORD(keyData) & KF_REPEAT) != 0;
}

bool IsHeld(int key) {
    return GetKeyState(key) < 0;
}

bool IsPushButton(const CorItem* item) {
    return item && item->kind == kKindButton && item->button && !item->button->options.checkBox &&
           !item->button->options.radioButton;
}

bool CanTakeFocus(HWND window) {
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

// An edit box that takes Enter as a line break keeps it.
bool WantsReturn(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & ES_WANTRETURN) != 0;
}

// Without this, a system that hides focus rectangles until the keyboard is
// used would hide the one the program gave its first button.
void ShowFocusCues(HWND screen) {
    SendMessageA(screen, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// The control saved for the window, while it is still one of the window's.
HWND SavedControl(const CorItem& window) {
    const HWND saved = window.surface->savedFocus;
    return saved && IsWindow(saved) && IsChild(window.window, saved) ? saved : nullptr;
}

struct DocumentKey {
    WPARAM key;
    WORD scroll;
};
const DocumentKey kDocumentKeys[] = {
    {VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN}, {VK_PRIOR, SB_PAGEUP},
    {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM},
};

// Main thread. Some wheels turn a fraction of a notch at a time; the
// fractions are kept until they make a notch.
int g_nWheelRest = 0;

}  // namespace

CorItem* CCorvaneCore::ScreenOf(HWND window) const {
    CorItem* item = window ? FindItemByWindow(GetAncestor(window, GA_ROOT)) : nullptr;
    return item && item->kind == kKindWindow && item->live.load() ? item : nullptr;
}

std::vector<HWND> CCorvaneCore::TabStops(HWND screen) const {
    std::vector<HWND> stops;
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (!item->live.load() || !item->window || item->kind == kKindWindow ||
            (item->kind & kKindHiddenFromWindowLookUp))
            continue;
        const HWND control = item->window;
        if ((GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) && CanTakeFocus(control) &&
            GetAncestor(control, GA_ROOT) == screen)
            stops.push_back(control);
    }
    return stops;
}

CorItem* CCorvaneCore::DefaultButton(HWND screen) const {
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->live.load() && IsPushButton(item) && CanTakeFocus(item->window) &&
            GetAncestor(item->window, GA_ROOT) == screen)
            return item;
    }
    return nullptr;
}

// The first text window inside the screen: the welcome screen's document.
CorItem* CCorvaneCore::DocumentOf(HWND screen) const {
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->live.load() && item->kind == kKindWindow && item->textWindow && item->window != screen &&
            IsWindowVisible(item->window) && GetAncestor(item->window, GA_ROOT) == screen)
            return item;
    }
    return nullptr;
}

bool CCorvaneCore::MoveFocus(HWND from, bool backwards) {
    const HWND screen = GetAncestor(from, GA_ROOT);
    const std::vector<HWND> stops = TabStops(screen);
    const auto at = std::find(stops.begin(), stops.end(), from);
    const int current = at == stops.end() ? -1 : static_cast<int>(at - stops.begin());
    const int next = NextTabStop(static_cast<int>(stops.size()), current, backwards);
    if (next < 0)
        return false;
    ::SetFocus(stops[static_cast<size_t>(next)]);
    ShowFocusCues(screen);
    return true;
}

// Space pushes a button down while it is held, as the mouse does, and
// toggles a check box once.
bool CCorvaneCore::PressFromKeyboard(HWND focus, const MSG& message) {
    CorItem* item = FindItemByWindow(focus);
    if (!item || item->kind != kKindButton || !item->button)
        return false;
    const bool down = message.message == WM_KEYDOWN;
    if (!IsPushButton(item)) {
        if (down && !IsRepeat(message.lParam))
            ToggleCheckBox(*item);
        return true;
    }
    if (down && !IsRepeat(message.lParam)) {
        SendMessageA(focus, BM_SETSTATE, TRUE, 0);
        PressButton(*item);
    } else if (!down && item->button->pressed.load()) {
        SendMessageA(focus, BM_SETSTATE, FALSE, 0);
        ReleaseButton(*item);
    }
    return true;
}

bool CCorvaneCore::TakeWayOut(CorItem& screen) {
    CorItem* cancel = FindLiveItem(screen.surface->cancelButton.load(), kKindButton);
    if (cancel && CanTakeFocus(cancel->window)) {
        PressButton(*cancel);
        ReleaseButton(*cancel);
        return true;
    }
    if (GetWindowLongA(screen.window, GWL_STYLE) & WS_SYSMENU)
        PostMessageA(screen.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;  // a screen whose only way out is a button ignores it
}

void CCorvaneCore::ScrollDocument(HWND screen, UINT message, WPARAM wParam) {
    CorItem* document = DocumentOf(screen);
    if (!document)
        return;
    if (message == WM_KEYDOWN) {
        for (const DocumentKey& k : kDocumentKeys) {
            if (k.key == wParam)
                SendMessageA(document->window, WM_VSCROLL, k.scroll, 0);
        }
        return;
    }
    g_nWheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = g_nWheelRest / kWheelNotch;
    g_nWheelRest %= kWheelNotch;
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const bool byPage = lines == WHEEL_PAGESCROLL;
    const WORD scroll = notches > 0 ? (byPage ? SB_PAGEUP : SB_LINEUP) : (byPage ? SB_PAGEDOWN : SB_LINEDOWN);
    const int steps = std::abs(notches) * (byPage ? 1 : static_cast<int>(lines));
    for (int i = 0; i < steps; ++i)
        SendMessageA(document->window, WM_VSCROLL, scroll, 0);
}

bool CCorvaneCore::TranslateKeyboard(const MSG& message) {
    const bool key = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    if (!key && message.message != WM_MOUSEWHEEL)
        return false;
    CorItem* screen = ScreenOf(message.hwnd);
    if (!screen)
        return false;
    CorItem* focus = FindItemByWindow(message.hwnd);
    const bool onControl = !focus || focus->kind != kKindWindow;
    if (!key) {
        ScrollDocument(screen->window, message.message, message.wParam);
        return false;  // the window still hears of the wheel
    }
    // A window without controls gets every key, as typed text or a line's
    // input.
    const bool hasControls = onControl || !TabStops(screen->window).empty();
    const bool down = message.message == WM_KEYDOWN;
    switch (message.wParam) {
    case VK_TAB:
        if (!down || !hasControls || IsHeld(VK_CONTROL) || IsHeld(VK_MENU))
            return false;
        return MoveFocus(message.hwnd, IsHeld(VK_SHIFT));
    case VK_SPACE:
        return onControl && PressFromKeyboard(message.hwnd, message);
    case VK_RETURN: {
        if (!down || (onControl && WantsReturn(message.hwnd)))
            return false;
        CorItem* target = IsPushButton(focus) ? focus : DefaultButton(screen->window);
        if (!target)
            return false;
        if (!IsRepeat(message.lParam)) {
            PressButton(*target);
            ReleaseButton(*target);
        }
        return true;
    }
    case VK_ESCAPE:
        return down && (hasControls || screen->surface->cancelButton.load()) && TakeWayOut(*screen);
    default:
        if (down && (!onControl || (focus && focus->kind == kKindButton)))
            ScrollDocument(screen->window, message.message, message.wParam);
        return false;
    }
}

// The focus a window had goes back to the same control when the window is
// activated or shown again (after a message box, after being hidden, after
// another program), as in a dialog; otherwise the system would give it to
// the window itself. A hidden window holds no focus: keys typed meanwhile
// would go to a window nobody sees.
void CCorvaneCore::RememberFocus(CorItem& window, bool hiding) {
    const HWND focus = GetFocus();
    const bool onControl = focus && IsChild(window.window, focus);
    if (!onControl && focus != window.window)
        return;  // elsewhere: a control saved meanwhile stays saved
    window.surface->savedFocus = onControl ? focus : nullptr;
    if (hiding)
        ::SetFocus(nullptr);
}

bool CCorvaneCore::RestoreFocus(CorItem& window, bool bringToFront) {
    const HWND saved = SavedControl(window);
    if (!saved || !CanTakeFocus(saved))
        return false;
    if (bringToFront) {
        Activate(window.window, saved);
    } else {
        ::SetFocus(saved);
        ShowFocusCues(window.window);
    }
    return true;
}

// The saved control takes the focus before the window appears, so that the
// window is never seen shown with the focus on itself; and again once it
// is shown, as a window shown while it stayed active hears of no activation.
void CCorvaneCore::ShowWithFocus(CorItem& window, int mode) {
    const bool activates = mode == SW_SHOW || mode == SW_SHOWNORMAL || mode == SW_RESTORE;
    const HWND saved = SavedControl(window);
    if (activates && saved && IsWindowEnabled(saved))
        ::SetFocus(saved);
    ShowWindow(window.window, mode);
    if (activates)
        RestoreFocus(window, true);
}

bool CCorvaneCore::KeepFocus(CorItem& window, WPARAM activation) {
    if (LOWORD(activation) != WA_INACTIVE)
        return RestoreFocus(window, false);
    RememberFocus(window, false);
    return false;
}

void CCorvaneCore::Activate(HWND window, HWND focus) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    ::SetFocus(focus);
    if (focus != window)
        ShowFocusCues(window);
}
