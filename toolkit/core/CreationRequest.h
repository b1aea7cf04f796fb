// What a creation call hands the creating thread (the main thread, or the
// caller for a "localwindow" parent); the new handle comes back in it. It
// travels in the request's lParam, so two creating threads never share one.
#pragma once

#include <memory>
#include <string>

#include "toolkit/core/CorItem.h"
#include "toolkit/portable/options/ControlOptions.h"
#include "toolkit/portable/options/WindowOptions.h"

struct CreationRequest {
    int kind = kKindWindow;
    int x = 0, y = 0, width = 0, height = 0;
    std::string title;  // a window's title, a button's caption
    WindowOptions options;
    ButtonOptions buttonOptions;
    BarOptions barOptions;
    EditOptions editOptions;
    ListOptions listOptions;
    PanelOptions panelOptions;
    OwnerDrawBinding draw;  // owner-drawn buttons and child panels
    bool defaultButton = false;
    HWND owner = nullptr;
    CorItem* parent = nullptr;
    CorItem* compatibleWith = nullptr;  // off-screen surfaces
    int handle = 0;                     // 0 until created
};

// A control's request: its kind, its box and the window it goes on.
inline CreationRequest ControlRequest(int kind, int x, int y, int width, int height, CorItem& parent) {
    CreationRequest request;
    request.kind = kind;
    request.x = x;
    request.y = y;
    request.width = width;
    request.height = height;
    request.parent = &parent;
    return request;
}

// The registry entry of a control made for request, with its final size.
inline std::unique_ptr<CorItem> ControlItem(const CreationRequest& request, HWND window, int width, int height) {
    auto item = std::make_unique<CorItem>();
    item->kind = request.kind;
    item->window = window;
    item->x = request.x;
    item->y = request.y;
    item->width = width;
    item->height = height;
    item->parent = request.parent;
    return item;
}
