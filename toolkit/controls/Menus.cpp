#include "toolkit/controls/MenuOps.h"

#include "toolkit/core/CorvaneCore.h"

namespace {

// Menus are not owned by a thread, but the menu bar belongs to the window's.
void AttachMenu(void* window, void* menu) {
    SetMenu(static_cast<HWND>(window), static_cast<HMENU>(menu));
    DrawMenuBar(static_cast<HWND>(window));
}

void RedrawMenuBar(void* window, void*) {
    DrawMenuBar(static_cast<HWND>(window));
}

}  // namespace

CorItem* CMenuOps::Find(int menu) const {
    return m_stCore.FindLiveItem(menu, kKindMenu);
}

int CMenuOps::Create(int window) {
    CorItem* owner = m_stCore.FindWindowItem(window);
    if (!owner)
        return 0;
    const HMENU menu = CreateMenu();
    if (!menu)
        return 0;
    auto item = std::make_unique<CorItem>();
    item->kind = kKindMenu;
    item->menu = menu;
    item->window = owner->window;
    item->parent = owner;
    return m_stCore.RegisterItem(std::move(item))->Handle();
}

void CMenuOps::Redraw(const CorItem& menu) {
    m_stCore.RunOnWindowThread(menu.parent->Handle(), RedrawMenuBar, menu.window, nullptr);
}

int CMenuOps::Activate(int menu) {
    CorItem* item = Find(menu);
    if (!item)
        return 0;
    m_stCore.RunOnWindowThread(item->parent->Handle(), AttachMenu, item->window, item->menu);
    return 1;
}

int CMenuOps::AddItem(int menu, const char* text, int identifier, const char* options) {
    CorItem* item = Find(menu);
    if (!item || !text)
        return 0;
    const MenuItemOptions o = ParseMenuItemOptions(options);
    // A pop-up entry opens another menu, named by its handle in identifier.
    UINT_PTR entry = static_cast<UINT_PTR>(identifier);
    if (o.popup) {
        const CorItem* submenu = Find(identifier);
        if (!submenu || submenu == item)
            return 0;
        entry = reinterpret_cast<UINT_PTR>(submenu->menu);
    }
    const UINT flags = MF_BYPOSITION | (o.popup ? MF_POPUP : MF_STRING);
    if (!InsertMenuA(item->menu, static_cast<UINT>(o.position), flags, entry, text))
        return 0;
    Redraw(*item);
    return 1;
}

int CMenuOps::AddSeparator(int menu) {
    CorItem* item = Find(menu);
    if (!item || !AppendMenuA(item->menu, MF_SEPARATOR, 0, nullptr))
        return 0;
    Redraw(*item);
    return 1;
}
