// GDI calls on a surface's context from the worker thread can fail while
// the user-interface thread paints from the same context (Wine refuses a
// context another thread is using). Such calls are tried again a bounded
// number of times, then given up silently.
#pragma once

#include "toolkit/core/Platform.h"

template <typename Call>
void RetryGdi(int attempts, DWORD pauseMs, Call call) {
    for (int attempt = 0; attempt < attempts && !call(); ++attempt)
        Sleep(pauseMs);
}
