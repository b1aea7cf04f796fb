// New positions of scroll bars and trackbars from WM_HSCROLL and WM_VSCROLL.
// Each function takes the message's wParam as it arrives: the low word is the
// scroll code (ScrollCode), the high word the position the system reports.
#pragma once

#include <cstdint>

// A scroll-bar item's range and position; the defaults are those of a new
// scroll bar or trackbar.
struct ScrollRange {
    int position = 50;
    int minimum = 0;
    int maximum = 100;
    int page = 10;
};

struct ScrollStep {
    int position = 0;
    // Thumb codes are left to the default procedure; position is unchanged.
    bool toDefault = false;
};

// Horizontal scroll bars, and both kinds of bar messages reaching the frame
// window: lines by 1, pages by 10, clamped at 0 from below only.
ScrollStep StepHorizontalBar(uint32_t wParam, int position);

// Vertical scroll bars: pages by the item's page size, clamped to the item's
// range (a range whose maximum lies below its minimum is taken as the
// minimum alone).
ScrollStep StepVerticalBar(uint32_t wParam, const ScrollRange& range);

