// What a button item keeps besides the fields every item has: caption and
// its placement, options, colours and font, latches and callbacks.
#pragma once

#include <atomic>
#include <string>

#include "toolkit/core/Platform.h"
#include "toolkit/portable/core/AtomicBinding.h"
#include "toolkit/portable/options/ControlOptions.h"

// Called on a click with the button's handle (on the main thread, or on a
// thread of its own with "AsThread").
using ButtonCallback = void (*)(void* user, int button);

struct ButtonCallbackBinding {
    ButtonCallback function = nullptr;
    void* user = nullptr;
};

struct ButtonState {
    std::string text;
    POINT textOffset = {};  // where the caption starts inside the button
    POINT margin = {};      // from a negative width or height
    ButtonOptions options;
    bool ownerDrawn = true;
    COLORREF textColour = 0;
    COLORREF background = 0;
    HFONT font = nullptr;  // the button's own copy of its window's font
    std::atomic<int> clicked{0};
    std::atomic<int> released{0};
    std::atomic<int> checked{0};
    std::atomic<bool> pressed{false};
    CAtomicBinding<ButtonCallbackBinding> click;
};

