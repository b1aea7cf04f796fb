// What a scroll-bar item keeps: its orientation and range.
#pragma once

#include <mutex>

#include "toolkit/portable/controls/ScrollArithmetic.h"
#include "toolkit/portable/options/ControlOptions.h"

struct ScrollBarState {
    Orientation orientation = Orientation::None;
    // Read by the program's thread, changed by the main thread's procedure.
    mutable std::mutex mutex;
    ScrollRange range;

    ScrollRange Range() const {
        std::lock_guard<std::mutex> lock(mutex);
        return range;
    }
};
