#include <gtest/gtest.h>

#include <climits>

#include "toolkit/portable/controls/ButtonLayout.h"

namespace {

// Caption 60 x 16, an odd widest character so halving it truncates, a
// one-pixel border each side, a 13-pixel check mark and theme part.
ButtonMeasures Measures() {
    ButtonMeasures m;
    m.captionWidth = 60;
    m.captionHeight = 16;
    m.widestCharWidth = 13;
    m.frameWidth = 2;
    m.frameHeight = 2;
    m.fontHeight = 16;
    m.checkMarkWidth = 13;
    m.themePartWidth = 13;
    return m;
}

ButtonRequest Request(int width, int height, ButtonKind kind, bool themed) {
    const RequestedExtent w = SplitRequestedExtent(width);
    const RequestedExtent h = SplitRequestedExtent(height);
    ButtonRequest r;
    r.width = w.size;
    r.marginX = w.margin;
    r.height = h.size;
    r.marginY = h.margin;
    r.kind = kind;
    r.themed = themed;
    return r;
}

TEST(ButtonLayout, WidthMinus30HeightZeroFitsCaptionFrameAndMargins) {
    const ButtonMeasures m = Measures();
    const ButtonLayout b = LayOutButton(Request(-30, 0, ButtonKind::Push, false), m);
    EXPECT_EQ(b.width, m.captionWidth + m.frameWidth + m.widestCharWidth + 30);
    EXPECT_EQ(b.height, m.captionHeight + m.frameHeight + m.widestCharWidth / 2);
}

TEST(ButtonLayout, SizesOfEachKind) {
    struct Case {
        int width, height;
        ButtonKind kind;
        bool themed;
        int expectWidth, expectHeight, textX, textY, extra;
    } cases[] = {
        {-30, 0, ButtonKind::Push, false, 105, 24, 22, 4, 0},
        {0, 0, ButtonKind::Push, false, 75, 24, 7, 4, 0},
        {0, -10, ButtonKind::Push, false, 75, 34, 7, 9, 0},
        {0, 0, ButtonKind::Push, true, 75, 24, 7, 4, 0},  // a theme changes nothing for push buttons
        {100, 30, ButtonKind::Push, false, 100, 30, 20, 7, 0},
        {40, 10, ButtonKind::Push, false, 40, 10, -10, -3, 0},  // caption wider than the button
        // Check marks: SM_CXMENUCHECK + 5 without a theme, part width + 5 added after with one.
        {0, 0, ButtonKind::CheckBox, false, 80, 16, 10, 0, 0},
        {0, 0, ButtonKind::CheckBox, true, 80, 16, 10, 0, 18},
        {-10, -4, ButtonKind::RadioButton, false, 90, 16, 15, 0, 0},  // height is the font's alone
        {120, 20, ButtonKind::RadioButton, true, 138, 20, 39, 2, 18},
    };
    for (const Case& c : cases) {
        const ButtonLayout b = LayOutButton(Request(c.width, c.height, c.kind, c.themed), Measures());
        const auto where = ::testing::Message() << c.width << " x " << c.height << " kind "
                                                << static_cast<int>(c.kind) << " themed " << c.themed;
        EXPECT_EQ(b.width, c.expectWidth) << where;
        EXPECT_EQ(b.height, c.expectHeight) << where;
        EXPECT_EQ(b.textX, c.textX) << where;
        EXPECT_EQ(b.textY, c.textY) << where;
        EXPECT_EQ(b.extraCheckWidth, c.extra) << where;
    }
}

TEST(ButtonLayout, RequestedExtents) {
    struct Case {
        int requested, size, margin, given;
    } cases[] = {
        {-30, 0, 30, 0},
        {0, 0, 0, 0},
        {25, 25, 0, 25},
        {INT_MIN, 0, INT_MAX, 0},
    };
    for (const Case& c : cases) {
        const RequestedExtent e = SplitRequestedExtent(c.requested);
        EXPECT_EQ(e.size, c.size) << c.requested;
        EXPECT_EQ(e.margin, c.margin) << c.requested;
        EXPECT_EQ(GivenExtent(c.requested), c.given) << c.requested;
    }
}

TEST(ButtonLayout, HugeMeasuresSaturate) {
    ButtonMeasures m = Measures();
    m.captionWidth = INT_MAX;
    m.themePartWidth = INT_MAX;
    const ButtonLayout push = LayOutButton(Request(INT_MIN, INT_MIN, ButtonKind::Push, false), m);
    EXPECT_EQ(push.width, INT_MAX);
    EXPECT_EQ(push.height, INT_MAX);
    const ButtonLayout check = LayOutButton(Request(INT_MAX, 0, ButtonKind::CheckBox, true), m);
    EXPECT_EQ(check.width, INT_MAX);
    EXPECT_EQ(check.extraCheckWidth, INT_MAX);
}

}  // namespace
