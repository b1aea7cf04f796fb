// What a button item keeps besides the fields every item has: caption and
// its placement, options, colours and font, latches and callbacks.
#pragma once

#include <atomic>
#include <string>

#include "toolkit/controls/ControlState.h"
#include "toolkit/core/Platform.h"
#include "toolkit/portable/core/AtomicBinding.h"
#include "toolkit/portable/options/ControlOptions.h"

// Called on a click with the button's handle (on the main thread, or on a
// thread of its own with "AsThread").
using ButtonCallback = void (*)(void* user, int button);

struct ButtonCallbackBinding {
    ButtonCallback function = nullptr;
    void* user = nullptr;
    bool asThread = false;
    // The user value is a CCorButton of the program's, whose OnClick is
    // called instead of the function.
    bool asClass = false;
};

// Told about the pointer over a button: code 10 with the hover time when it
// moves there, 1 with the position (x in the low, y in the high word) when
// it has rested for that time, 0 when it has left.
using HoverCallback = void (*)(void* user, int button, int code, int value);

struct HoverBinding {
    HoverCallback function = nullptr;
    void* user = nullptr;
    DWORD hoverTime = HOVER_DEFAULT;
};

enum HoverCode : int { kHoverLeft = 0, kHoverRested = 1, kHoverEntered = 10 };

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
    // Main thread: the pointer is over the button and its leaving is tracked.
    bool hot = false;
    CAtomicBinding<ButtonCallbackBinding> click;
    CAtomicBinding<HoverBinding> hover;
    CAtomicBinding<OwnerDrawBinding> draw;
    // "transparent": the window's area under the button, saved at creation.
    int savedBackground = 0;
    // A "Button" theme of the new style, and the part it draws.
    HANDLE theme = nullptr;
    int themePart = 1;
    int extraCheckWidth = 0;
};

