#include "toolkit/controls/ButtonOps.h"

#include "toolkit/core/CorvaneCore.h"

CorItem* CButtonOps::Find(int button) const {
    return m_stCore.FindLiveItem(button, kKindButton);
}

int CButtonOps::Close(int button) {
    CorItem* item = Find(button);
    if (!item)
        return 0;
    m_stCore.Window.CloseControl(*item);
    return 1;
}

int CButtonOps::Show(int button) {
    CorItem* item = Find(button);
    if (!item)
        return 0;
    item->button->options.hidden = false;
    ShowWindow(item->window, SW_SHOWNA);
    return 1;
}

int CButtonOps::SetBgColor(int button, COLORREF colour) {
    CorItem* item = Find(button);
    if (!item)
        return 0;
    item->button->background = colour;
    InvalidateRect(item->window, nullptr, TRUE);
    return 1;
}

int CButtonOps::SetFgColor(int button, COLORREF colour) {
    CorItem* item = Find(button);
    if (!item)
        return 0;
    item->button->textColour = colour;
    InvalidateRect(item->window, nullptr, TRUE);
    return 1;
}

int CButtonOps::GetWidth(int button) {
    CorItem* item = Find(button);
    return item ? item->width : 0;
}

int CButtonOps::GetHeight(int button) {
    CorItem* item = Find(button);
    return item ? item->height : 0;
}

int CButtonOps::SetCheck(int button, bool on) {
    CorItem* item = Find(button);
    if (!item)
        return 0;
    item->button->checked = on ? 1 : 0;
    SendMessageA(item->window, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(item->window, BM_SETSTATE, on ? TRUE : FALSE, 0);
    InvalidateRect(item->window, nullptr, TRUE);
    return 1;
}

int CButtonOps::GetCheck(int button) {
    CorItem* item = Find(button);
    return item ? item->button->checked.load() : 0;
}

int CButtonOps::Clicked(int button) {
    CorItem* item = Find(button);
    return item ? item->button->clicked.exchange(0) : 0;
}

int CButtonOps::Released(int button) {
    CorItem* item = Find(button);
    return item ? item->button->released.exchange(0) : 0;
}

int CButtonOps::SetClickCallback(int button, ButtonCallback callback, void* user, const char* options) {
    CorItem* item = Find(button);
    if (!item)
        return 0;
    const ButtonOptions o = ParseButtonOptions(options);
    item->button->click.Set({callback, user, o.asThread, o.asClass});
    return 1;
}

int CButtonOps::SetHoverCallback(int button, HoverCallback callback, void* user, DWORD hoverTime) {
    CorItem* item = Find(button);
    if (!item)
        return 0;
    item->button->hover.Set({callback, user, hoverTime});
    return 1;
}

int CCorButton::Clicked() const {
    return CorvaneCore()->Button.Clicked(m_nHandle);
}
