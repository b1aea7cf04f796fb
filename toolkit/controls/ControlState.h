// What list boxes, combo boxes, edit boxes and child panels keep besides the
// fields every item has, and the owner-draw callback they share with buttons.
#pragma once

#include <atomic>
#include <memory>

#include "toolkit/controls/FrameworkControls.h"
#include "toolkit/core/Platform.h"
#include "toolkit/portable/core/AtomicBinding.h"

// The message number an owner-draw callback is called with, so that one
// callback can tell drawing from the other messages it may be given.
constexpr UINT kOwnerDrawMessage = WM_USER + 23;

// Called on the window's thread with the item's handle, the user value,
// kOwnerDrawMessage and WM_DRAWITEM's wParam and lParam (a DRAWITEMSTRUCT).
using OwnerDrawCallback = LRESULT (*)(int item, void* user, UINT message, WPARAM wParam, LPARAM lParam);

struct OwnerDrawBinding {
    OwnerDrawCallback function = nullptr;
    void* user = nullptr;
};

// List boxes and combo boxes.
struct ListState {
    std::unique_ptr<CNoxListControl> control;
    HWND dropList = nullptr;  // a combo box's list, which asks for colours itself
    std::atomic<int> selection{-1};
    std::atomic<int> selected{0};  // latch: the user chose an item
    std::atomic<int> linkedTextWindow{0};  // a list box's: shows the chosen line
    HFONT font = nullptr;          // the window's font copied, or null with "defaultfont"
    HBRUSH brush = nullptr;        // the window's background, or null with "defaultColors"
    COLORREF textColour = 0;
    COLORREF background = 0;
};

// Edit boxes: the filter decides whether a typed character reaches the box;
// the change callback sees each character and Delete after the box has
// taken it, and Escape before it (a nonzero result keeps Escape from the box).
using EditFilter = bool (*)(void* user, int edit, WPARAM character);
using EditChangeCallback = LRESULT (*)(void* user, int edit, WPARAM* wParam, LPARAM* lParam);

struct EditFilterBinding {
    EditFilter function = nullptr;
    void* user = nullptr;
};

struct EditChangeBinding {
    EditChangeCallback function = nullptr;
    void* user = nullptr;
};

struct EditState {
    CAtomicBinding<EditFilterBinding> filter;
    CAtomicBinding<EditChangeBinding> change;
};

struct PanelState {
    CAtomicBinding<OwnerDrawBinding> draw;
};
