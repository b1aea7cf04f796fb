// Window styles of the controls other than buttons, from their parsed
// options.
#pragma once

#include <cstdint>

#include "toolkit/portable/options/ControlOptions.h"

struct ControlStyle {
    uint32_t style = 0;
    uint32_t exStyle = 0;
};

// Scroll bars. A horizontal bar given height 0 (a vertical one given width 0)
// takes the system's standard thickness aligned to the top or left of its
// rectangle, or to the bottom or right with "bottom" or "right". Returns 0,
// and the bar must not be created, when the options name no orientation.
uint32_t ScrollBarStyle(const BarOptions& options, int width, int height);

// Trackbars: the scroll bar's style values mean other things to the
// trackbar class, so the orientation keyword gives the trackbar's own
// orientation and "bottom" or "right" puts the ticks on that side (top or
// left otherwise), whatever the size; ticks are drawn at every tick
// frequency along the channel. Returns 0 without an orientation.
uint32_t TrackbarStyle(const BarOptions& options);

ControlStyle EditBoxStyle(const EditOptions& options);

// List boxes and combo boxes: "sunken" trades the border for a client edge.
ControlStyle ListBoxStyle(const ListOptions& options);
ControlStyle ComboBoxStyle(const ListOptions& options);

// Child panels: a child window, or a pop-up with "popup"; a static panel with
// an owner-draw callback asks its window to draw it. A "regularwindow" panel
// is a plain window, which never asks.
uint32_t PanelStyle(const PanelOptions& options, bool ownerDrawn);
