#include <gtest/gtest.h>

#include <climits>

#include "toolkit/portable/controls/ButtonLayout.h"
#include "toolkit/portable/controls/LastControl.h"

namespace {

ButtonLayout AutoSizedButton(int captionWidth) {
    ButtonMeasures m;
    m.captionWidth = captionWidth;
    m.captionHeight = 16;
    m.widestCharWidth = 12;
    m.frameWidth = 2;
    m.frameHeight = 2;
    ButtonRequest r;
    r.marginX = 30;
    return LayOutButton(r, m);
}

TEST(ControlPlacement, ButtonBesidePreviousRightEdgeDoesNotOverlap) {
    LastControl last;
    const int firstX = 10, y = 40;
    const ButtonLayout first = AutoSizedButton(57);
    last.Record(firstX, y, first.width, first.height);
    EXPECT_EQ(last.width, first.width);
    EXPECT_EQ(last.height, first.height);
    EXPECT_EQ(last.right, firstX + first.width);
    EXPECT_EQ(last.bottom, y + first.height);

    const int secondX = last.right + 20;
    const ButtonLayout second = AutoSizedButton(91);
    EXPECT_GE(secondX, firstX + first.width + 20);
    last.Record(secondX, y, second.width, second.height);
    EXPECT_EQ(last.right, secondX + second.width);
}

TEST(ControlPlacement, EdgesAtTheLimitsSaturate) {
    LastControl last;
    last.Record(INT_MAX - 5, INT_MIN + 5, 10, -10);
    EXPECT_EQ(last.right, INT_MAX);
    EXPECT_EQ(last.bottom, INT_MIN);
}

}  // namespace
