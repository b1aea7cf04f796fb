// What a button does with the user's clicks, and how an owner-drawn button
// looks: the old style, since no theme is assumed.
#include <process.h>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/events/EventNames.h"
#include "toolkit/surface/GdiScope.h"

namespace {

constexpr unsigned kCallbackStackSize = 100000;

struct ThreadCall {
    ButtonCallbackBinding callback;
    int button;
};

unsigned __stdcall RunCallback(void* argument) {
    ThreadCall* call = static_cast<ThreadCall*>(argument);
    call->callback.function(call->callback.user, call->button);
    delete call;
    return 0;
}

void CallClickCallback(const ButtonState& b, int button) {
    const ButtonCallbackBinding callback = b.click.Get();
    if (!callback.function)
        return;
    if (!b.options.asThread) {
        callback.function(callback.user, button);
        return;
    }
    auto* call = new ThreadCall{callback, button};
    const uintptr_t thread = _beginthreadex(nullptr, kCallbackStackSize, RunCallback, call, 0, nullptr);
    if (thread)
        CloseHandle(reinterpret_cast<HANDLE>(thread));
    else
        delete call;
}

void DrawEdge3D(HDC dc, const RECT& r, HPEN light, HPEN dark, HPEN shade, bool sunken) {
    HPEN topLeft = sunken ? dark : light;
    HPEN bottomRight = sunken ? light : dark;
    CScopedSelect pen(dc, topLeft);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, bottomRight);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
    // The inner shade gives the edge its depth on the side away from the light.
    SelectObject(dc, shade);
    if (sunken) {
        MoveToEx(dc, r.left + 1, r.bottom - 2, nullptr);
        LineTo(dc, r.left + 1, r.top + 1);
        LineTo(dc, r.right - 1, r.top + 1);
    } else {
        MoveToEx(dc, r.right - 2, r.top + 1, nullptr);
        LineTo(dc, r.right - 2, r.bottom - 2);
        LineTo(dc, r.left, r.bottom - 2);
    }
}

}  // namespace

bool CCorvaneCore::OnButtonMessage(HWND window, UINT message, LRESULT& result) {
    CorItem* item = FindItemByWindow(window);
    if (!item || item->kind != kKindButton || !item->button)
        return false;
    ButtonState& b = *item->button;
    const bool check = b.options.checkBox || b.options.radioButton;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (check)
            return false;
        b.clicked = 1;
        b.checked = b.checked ? 0 : 1;
        b.pressed = true;
        CallClickCallback(b, item->Handle());
        RaiseEvent(kEventButton, item->parent);
        return false;
    case WM_LBUTTONUP:
        b.released = 1;
        b.pressed = false;
        RaiseEvent(kEventButton, item->parent);
        return false;
    case WM_ERASEBKGND:
        if (!b.ownerDrawn)
            return false;
        result = 1;  // the owner draw paints all of it
        return true;
    default:
        return false;
    }
}

// A check box or radio button drawn by the system only reports its click;
// the toolkit keeps the state and shows it.
void CCorvaneCore::OnButtonCommand(CorItem& window, HWND control, WORD notification) {
    CorItem* item = FindItemByWindow(control);
    if (!item || item->kind != kKindButton || notification != BN_CLICKED)
        return;
    ButtonState& b = *item->button;
    if (!b.options.checkBox && !b.options.radioButton)
        return;
    b.checked = b.checked ? 0 : 1;
    b.clicked = 1;
    SendMessageA(control, BM_SETCHECK, b.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    RaiseEvent(kEventButton, &window);
}

bool CCorvaneCore::PaintButton(const DRAWITEMSTRUCT& draw) {
    CorItem* item = FindItemByWindow(draw.hwndItem);
    if (!item || item->kind != kKindButton || !item->button)
        return false;
    const ButtonState& b = *item->button;
    HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & ODS_DISABLED) != 0 || b.options.disabled;
    CGdiObject<HBRUSH> face(CreateSolidBrush(b.background));
    FillRect(dc, &r, face.Get());
    DrawEdge3D(dc, r, WhitePen(), DarkGreyPen(), GreyPen(), pressed || b.options.recessed);

    CScopedSelect font(dc, b.font);
    SetBkMode(dc, TRANSPARENT);
    const int shift = pressed ? 1 : 0;
    const int x = r.left + b.textOffset.x + shift, y = r.top + b.textOffset.y + shift;
    const int length = static_cast<int>(b.text.size());
    if (disabled) {
        // Embossed, as disabled captions are shown everywhere else.
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        TextOutA(dc, x + 1, y + 1, b.text.c_str(), length);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, b.textColour);
    }
    TextOutA(dc, x, y, b.text.c_str(), length);
    if ((draw.itemState & ODS_FOCUS) && !disabled) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
    return true;
}
