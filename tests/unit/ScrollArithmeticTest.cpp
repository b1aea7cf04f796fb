#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "toolkit/portable/controls/ControlStyleBits.h"
#include "toolkit/portable/controls/ScrollArithmetic.h"

namespace {

using namespace ScrollCode;

uint32_t WParam(int code, int reported = 0) {
    return static_cast<uint32_t>(reported) << 16 | static_cast<uint32_t>(code);
}

struct Case {
    int code, reported, from, to;
    bool toDefault;
};

TEST(ScrollArithmetic, HorizontalBarEveryCode) {
    const Case cases[] = {
        {kLineUp, 0, 5, 4, false},
        {kLineUp, 0, 0, 0, false},  // clamped at 0
        {kLineDown, 0, 5, 6, false},
        {kLineDown, 0, INT_MAX, INT_MAX, false},
        {kPageUp, 0, 25, 15, false},
        {kPageUp, 0, 5, 0, false},
        {kPageDown, 0, 5, 15, false},
        {kThumbPosition, 70, 5, 5, true},
        {kThumbTrack, 70, 5, 5, true},
        {kTop, 0, 5, 0, false},
        {kBottom, 40, 5, 40, false},
        {kEndScroll, 0, 5, 5, false},
        {9, 33, 5, 33, false},          // unknown codes take the reported position too
        {kTop, 0xFFFF, 5, 0xFFFF, false},  // no upper clamp
    };
    for (const Case& c : cases) {
        const ScrollStep s = StepHorizontalBar(WParam(c.code, c.reported), c.from);
        EXPECT_EQ(s.position, c.to) << "code " << c.code << " from " << c.from;
        EXPECT_EQ(s.toDefault, c.toDefault) << "code " << c.code;
    }
}

TEST(ScrollArithmetic, VerticalBarUsesPageSizeAndRange) {
    const Case cases[] = {
        {kLineUp, 0, 10, 10, false},  // at the minimum
        {kLineUp, 0, 50, 49, false},
        {kLineDown, 0, 100, 100, false},  // at the maximum
        {kPageUp, 0, 40, 15, false},
        {kPageUp, 0, 30, 10, false},
        {kPageDown, 0, 90, 100, false},
        {kThumbTrack, 70, 50, 50, true},
        {kThumbPosition, 70, 50, 50, true},
        {kTop, 0, 50, 10, false},
        {kBottom, 500, 50, 100, false},
        {kEndScroll, 0, 50, 50, false},
    };
    for (const Case& c : cases) {
        const ScrollRange range{c.from, 10, 100, 25};
        const ScrollStep s = StepVerticalBar(WParam(c.code, c.reported), range);
        EXPECT_EQ(s.position, c.to) << "code " << c.code << " from " << c.from;
        EXPECT_EQ(s.toDefault, c.toDefault) << "code " << c.code;
    }
}

TEST(ScrollArithmetic, VerticalBarOddRanges) {
    EXPECT_EQ(StepVerticalBar(WParam(kLineDown), ScrollRange{15, 20, 10, 10}).position, 20);
    EXPECT_EQ(StepVerticalBar(WParam(kPageDown), ScrollRange{INT_MAX, INT_MIN, INT_MAX, INT_MAX}).position, INT_MAX);
    EXPECT_EQ(StepVerticalBar(WParam(kPageUp), ScrollRange{INT_MIN, INT_MIN, INT_MAX, INT_MAX}).position, INT_MIN);
    const ScrollRange fresh;
    EXPECT_EQ(StepVerticalBar(WParam(kPageDown), fresh).position, 60);
}

}  // namespace
