// One entry of the toolkit's registry: a window, control or off-screen
// surface, named by its 1-based handle.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "toolkit/controls/ButtonState.h"
#include "toolkit/controls/ControlState.h"
#include "toolkit/controls/ScrollBarState.h"
#include "toolkit/core/Platform.h"
#include "toolkit/surface/WindowSurface.h"
#include "toolkit/textwindow/TextWindow.h"

enum ItemKind : int {
    kKindScrollBar = 1,
    kKindButton = 2,
    kKindWindow = 4,
    kKindBitmap = 5,
    kKindListBox = 7,
    kKindEditBox = 8,
    kKindTrackbar = 9,
    kKindComboBox = 10,
    kKindChildPanel = 11,
    kKindMenu = 0x8003,
};
// Items of a kind with this bit are not found by their window handle.
constexpr int kKindHiddenFromWindowLookUp = 0x8000;

using MainThreadCallback = void (*)(void* first, void* second);

// A call carried to the main thread: the caller fills it, the main thread
// runs it and sets done.
struct MainThreadCall {
    MainThreadCallback callback = nullptr;
    void* first = nullptr;
    void* second = nullptr;
    HANDLE caller = nullptr;
    std::atomic<int> posted{0};  // the caller's post has returned
    std::atomic<int> done{0};
};

// Where a detached child window came from, to put it back.
struct AttachState {
    bool detached = false;
    HWND parent = nullptr;
    RECT placement = {};  // in the parent's client coordinates
    LONG style = 0;
};

struct CorItem {
    std::atomic<CorItem*> next{nullptr};
    CorItem* previous = nullptr;
    std::string name;
    int index = 0;
    std::atomic<bool> live{false};
    HWND window = nullptr;
    int kind = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string text;
    CorItem* parent = nullptr;
    // Kept until the process ends, so a thread holding the item never reads
    // freed memory; its GDI resources go when the window is destroyed.
    std::unique_ptr<CWindowSurface> surface;
    std::unique_ptr<ButtonState> button;  // kind 2
    std::unique_ptr<ScrollBarState> scrollBar;  // kind 1
    std::unique_ptr<ListState> list;  // kinds 7 and 10
    std::unique_ptr<CCorTrackBarMFC> trackbar;  // kind 9
    std::unique_ptr<EditState> edit;  // kind 8
    std::unique_ptr<PanelState> panel;  // kind 11
    std::unique_ptr<TextWindow> textWindow;     // a window made with "textonly"
    HMENU menu = nullptr;  // kind 0x8003; window is the window it belongs to
    MainThreadCall call;
    AttachState attach;

    int Handle() const { return index + 1; }
};
