// Every wait of the driver: a condition polled until it holds or the time
// is up, never a bare sleep.
#pragma once

#include <algorithm>

#include "toolkit/core/Platform.h"

constexpr DWORD kPollIntervalMs = 20;

// True as soon as condition() is; false when it still is not after
// timeoutMs (it is asked at least once, and once more at the end).
template <typename Condition>
bool PollUntil(int timeoutMs, Condition condition) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!condition()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        Sleep(static_cast<DWORD>(std::min<ULONGLONG>(kPollIntervalMs, end - now)));
    }
    return true;
}
