#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "toolkit/portable/shadow/ShadowSettings.h"
#include "toolkit/portable/shadow/ShadowStatus.h"

namespace {

void ExpectDefaults(const CShadowSettings& s) {
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Sharpness(), 5);
    EXPECT_EQ(s.Darkness(), 200);
    EXPECT_EQ(s.XOffset(), 5);
    EXPECT_EQ(s.YOffset(), 5);
    EXPECT_EQ(s.Colour(), 0u);
}

enum class Setter { kSize, kSharpness, kDarkness, kOffsetX, kOffsetY };

bool Apply(CShadowSettings& s, Setter setter, int n) {
    switch (setter) {
    case Setter::kSize: return s.SetShadowSize(n);
    case Setter::kSharpness: return s.SetShadowSharpness(n);
    case Setter::kDarkness: return s.SetShadowDarkness(n);
    case Setter::kOffsetX: return s.SetShadowOffset(n, 0);
    case Setter::kOffsetY: return s.SetShadowOffset(0, n);
    }
    return false;
}

int Read(const CShadowSettings& s, Setter setter) {
    switch (setter) {
    case Setter::kSize: return s.Size();
    case Setter::kSharpness: return s.Sharpness();
    case Setter::kDarkness: return s.Darkness();
    case Setter::kOffsetX: return s.XOffset();
    case Setter::kOffsetY: return s.YOffset();
    }
    return 0;
}

TEST(ShadowSettings, RangeEndsAreStoredExactly) {
    const struct {
        Setter setter;
        int value;
    } cases[] = {
        {Setter::kSize, -20}, {Setter::kSize, 20},      {Setter::kSharpness, 0},
        {Setter::kSharpness, 20}, {Setter::kDarkness, 0}, {Setter::kDarkness, 255},
        {Setter::kOffsetX, -20},  {Setter::kOffsetX, 20}, {Setter::kOffsetY, -20},
        {Setter::kOffsetY, 20},
    };
    for (const auto& c : cases) {
        CShadowSettings s;
        EXPECT_TRUE(Apply(s, c.setter, c.value)) << c.value;
        EXPECT_EQ(Read(s, c.setter), c.value);
    }
}

TEST(ShadowSettings, OutOfRangeIsRefusedAndChangesNothing) {
    const struct {
        Setter setter;
        int value;
    } cases[] = {
        {Setter::kSize, -21},     {Setter::kSize, 21},          {Setter::kSize, 128 + 5},
        {Setter::kSharpness, -1}, {Setter::kSharpness, 21},     {Setter::kSharpness, 256 + 5},
        {Setter::kDarkness, -1},  {Setter::kDarkness, 256},     {Setter::kDarkness, INT_MIN},
        {Setter::kOffsetX, 21},   {Setter::kOffsetX, -21},      {Setter::kOffsetY, 21},
        {Setter::kOffsetY, INT_MAX},
    };
    for (const auto& c : cases) {
        CShadowSettings s;
        EXPECT_FALSE(Apply(s, c.setter, c.value)) << c.value;
        ExpectDefaults(s);
    }
}

TEST(ShadowSettings, OffsetPairIsRefusedWholeWhenOneIsOutOfRange) {
    CShadowSettings s;
    EXPECT_FALSE(s.SetShadowOffset(3, 21));
    EXPECT_FALSE(s.SetShadowOffset(-21, 3));
    ExpectDefaults(s);
}

TEST(ShadowSettings, WindowPositionMovesByOffsetsAndBackBySize) {
    CShadowSettings s;
    EXPECT_EQ(ShadowWindowPosition(100, 50, s).x, 105);
    EXPECT_EQ(ShadowWindowPosition(100, 50, s).y, 55);
    ASSERT_TRUE(s.SetShadowSize(-3));
    ASSERT_TRUE(s.SetShadowOffset(-20, 2));
    EXPECT_EQ(ShadowWindowPosition(100, 50, s).x, 83);
    EXPECT_EQ(ShadowWindowPosition(100, 50, s).y, 55);
    // Screen coordinates at the int limits saturate instead of wrapping.
    ASSERT_TRUE(s.SetShadowSize(-20));
    EXPECT_EQ(ShadowWindowPosition(INT_MAX, INT_MIN, s).x, INT_MAX);
    ASSERT_TRUE(s.SetShadowSize(20));
    EXPECT_EQ(ShadowWindowPosition(INT_MAX, INT_MIN, s).y, INT_MIN);
}

using namespace ShadowStatus;

TEST(ShadowStatus, ShowRule) {
    const struct {
        uint8_t before;
        bool parentVisible;
        bool maximisedOrMinimised;
        uint8_t after;
    } cases[] = {
        {kEnabled, true, false, kEnabled | kParentVisible | kShadowVisible},
        {kEnabled, true, true, kEnabled | kParentVisible},
        // Old visibility bits are dropped before the rule is applied.
        {kEnabled | kShadowVisible | kParentVisible, true, true, kEnabled | kParentVisible},
        {kEnabled | kSuppressed | kShadowVisible | kParentVisible, true, false, kEnabled | kSuppressed},
        {kShadowVisible | kParentVisible, true, false, 0},
        {0xF0 | kEnabled, true, false, kEnabled | kParentVisible | kShadowVisible},
        // A hidden parent shows no shadow, whatever it showed before.
        {kEnabled, false, false, kEnabled},
        {kEnabled | kShadowVisible | kParentVisible, false, false, kEnabled},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AfterShow(c.before, c.parentVisible, c.maximisedOrMinimised), c.after)
            << int{c.before} << (c.parentVisible ? " shown" : " hidden");
    }
}

TEST(ShadowStatus, CompositionSuppressesUnlessAlways) {
    const struct {
        uint8_t before;
        bool compositionOn, always;
        uint8_t after;
    } cases[] = {
        {kEnabled, true, false, kEnabled | kSuppressed},
        {kEnabled, true, true, kEnabled},
        {kEnabled | kSuppressed, false, false, kEnabled},
        {kEnabled | kSuppressed | kShadowVisible, true, true, kEnabled | kShadowVisible},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithComposition(c.before, c.compositionOn, c.always), c.after);
}

TEST(ShadowStatus, HideClearsBothVisibleBits) {
    EXPECT_EQ(AfterHide(kEnabled | kSuppressed | kShadowVisible | kParentVisible), kEnabled | kSuppressed);
}

TEST(ShadowStatus, SizeRule) {
    constexpr uint8_t kShown = kEnabled | kShadowVisible | kParentVisible;
    const ParentSize base{100, 80};
    const struct {
        uint8_t before;
        bool maximisedOrMinimised, visible;
        ParentSize now;
        uint8_t after;
        SizeAction action;
    } cases[] = {
        {kShown, false, true, {100, 80}, kShown, SizeAction::kUpdateNow},
        {kShown, false, true, {90, 70}, kShown, SizeAction::kUpdateNow},
        {kShown, false, true, {101, 10}, kShown, SizeAction::kUpdateAtPaint},
        {kShown, false, true, {10, 81}, kShown, SizeAction::kUpdateAtPaint},
        {kEnabled, false, true, {100, 80}, kShown, SizeAction::kShowAndUpdate},
        {kShown, true, true, {100, 80}, kEnabled | kParentVisible, SizeAction::kHide},
        {kEnabled, false, false, {100, 80}, kEnabled, SizeAction::kNothing},
        {kEnabled | kSuppressed, true, true, {100, 80}, kEnabled | kSuppressed, SizeAction::kNothing},
        {0, false, true, {200, 200}, 0, SizeAction::kNothing},
    };
    for (const auto& c : cases) {
        const SizeStep step = AfterSize(c.before, c.maximisedOrMinimised, c.visible, base, c.now);
        EXPECT_EQ(step.status, c.after) << int{c.before} << " " << c.now.width << "x" << c.now.height;
        EXPECT_EQ(step.action, c.action) << int{c.before} << " " << c.now.width << "x" << c.now.height;
    }
}

}  // namespace
