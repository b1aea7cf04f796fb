#include "pgr/Payload.h"

bool PayloadArraysContiguous(const uint8_t* const starts[kPayloadArrayCount]) {
    uintptr_t previous = reinterpret_cast<uintptr_t>(starts[0]);
    for (int i = 1; i < kPayloadArrayCount; i++) {
        const uintptr_t start = reinterpret_cast<uintptr_t>(starts[i]);
        if (start - previous != kPayloadArraySize)
            return false;
        previous = start;
    }
    return true;
}
