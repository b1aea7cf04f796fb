#include <gtest/gtest.h>

#include "pgr/Payload.h"

namespace {

// Start addresses only: the check never reads a byte, so none need exist.
struct ArrayStarts {
    const uint8_t* starts[kPayloadArrayCount];

    explicit ArrayStarts(uintptr_t first) {
        for (int i = 0; i < kPayloadArrayCount; i++)
            starts[i] = reinterpret_cast<const uint8_t*>(first + i * kPayloadArraySize);
    }
    ArrayStarts& Shift(int index, intptr_t by) {
        starts[index] += by;
        return *this;
    }
};

TEST(PayloadLayout, ArraysMustFollowEachOtherExactly) {
    EXPECT_TRUE(PayloadArraysContiguous(ArrayStarts(0x10000).starts));
    for (int index = 1; index < kPayloadArrayCount; index++) {
        for (intptr_t by : {16, -16, 1}) {
            EXPECT_FALSE(PayloadArraysContiguous(ArrayStarts(0x10000).Shift(index, by).starts))
                << "array " << index + 1 << " moved by " << by;
        }
    }
    // Moving the first array breaks the distance to the second one as well.
    EXPECT_FALSE(PayloadArraysContiguous(ArrayStarts(0x10000).Shift(0, 16).starts));
}

}  // namespace
