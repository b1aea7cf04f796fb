#include <gtest/gtest.h>

#include "toolkit/portable/controls/TabOrder.h"

namespace {

TEST(TabOrder, TabAndShiftTabGoRoundTheRing) {
    const struct {
        int count, current;
        bool backwards;
        int next;
    } cases[] = {
        {3, 0, false, 1},  {3, 2, false, 0},  // the last wraps to the first
        {3, 0, true, 2},   {3, 1, true, 0},   // and back
        {3, -1, false, 0}, {3, -1, true, 2},  // from outside the ring: its first or last
        {3, 7, false, 0},  {1, 0, false, 0},  {1, 0, true, 0},
        {0, -1, false, -1}, {0, 0, true, -1},  // nothing to move to
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextTabStop(c.count, c.current, c.backwards), c.next)
            << c.count << " stops, from " << c.current << (c.backwards ? " backwards" : "");
}

}  // namespace
