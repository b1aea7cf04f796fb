// Control geometry comes from callers and measurements that are not checked
// for size; sums are taken wide and brought back into int range so no input
// overflows.
#pragma once

#include <climits>
#include <cstdint>

inline int SaturateToInt(int64_t value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
