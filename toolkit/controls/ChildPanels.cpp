// Child panels: static areas (or plain windows) inside a toolkit window,
// drawn by the program's owner-draw callback when it gives one.
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/core/WindowClasses.h"
#include "toolkit/portable/controls/ButtonLayout.h"
#include "toolkit/portable/controls/ControlStyles.h"

int CWindowOps::CreateChildPanel(int window, int x, int y, int width, int height, const char* options,
                                 OwnerDrawCallback draw, void* user) {
    CorItem* parent = m_stCore.FindWindowItem(window);
    if (!parent)
        return 0;
    CreationRequest request =
        ControlRequest(kKindChildPanel, x, y, GivenExtent(width), GivenExtent(height), *parent);
    request.panelOptions = ParsePanelOptions(options);
    request.draw = {draw, user};
    return m_stCore.Create(request);
}

void CCorvaneCore::CreatePanelItem(CreationRequest& request) {
    const PanelOptions& o = request.panelOptions;
    const char* className = o.regularWindow ? kUserWindowClass : kStaticClass;
    const HWND window = CreateWindowExA(0, className, "", PanelStyle(o, request.draw.function != nullptr),
                                        request.x, request.y, request.width, request.height,
                                        request.parent->window, nullptr, m_hInstance, nullptr);
    if (!window)
        return;
    auto item = ControlItem(request, window, request.width, request.height);
    item->panel = std::make_unique<PanelState>();
    item->panel->draw.Set(request.draw);
    request.handle = RegisterItem(std::move(item))->Handle();
}

// WM_DRAWITEM of a window: a child panel or button with an owner-draw
// callback is drawn by it; other buttons by the toolkit.
bool CCorvaneCore::OnDrawItem(WPARAM wParam, LPARAM lParam) {
    const DRAWITEMSTRUCT& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CorItem* item = FindItemByWindow(draw.hwndItem);
    if (!item)
        return false;
    OwnerDrawBinding callback;
    if (item->kind == kKindChildPanel)
        callback = item->panel->draw.Get();
    else if (item->kind == kKindButton)
        callback = item->button->draw.Get();
    if (callback.function) {
        callback.function(item->Handle(), callback.user, kOwnerDrawMessage, wParam, lParam);
        return true;
    }
    return item->kind == kKindButton && PaintButton(*item, draw);
}
