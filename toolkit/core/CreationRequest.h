// What a creation call hands the creating thread (the main thread, or the
// caller for a "localwindow" parent); the new handle comes back in it. It
// travels in the request's lParam, so two creating threads never share one.
#pragma once

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
    HWND owner = nullptr;
    CorItem* parent = nullptr;
    CorItem* compatibleWith = nullptr;  // off-screen surfaces
    int handle = 0;                     // 0 until created
};
