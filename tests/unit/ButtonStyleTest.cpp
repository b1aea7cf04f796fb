#include <gtest/gtest.h>

#include <cstdint>

#include "toolkit/portable/controls/ButtonStyle.h"
#include "toolkit/portable/controls/ControlStyleBits.h"
#include "toolkit/portable/options/StyleBits.h"

namespace {

using namespace StyleBits;

constexpr uint32_t kBase = kChild | kClipSiblings | kButtonFlat | kTabStop;

TEST(ButtonStyle, StylesAndThemeParts) {
    struct Case {
        const char* options;
        bool newStyle, systemCheckBoxes;
        int width, height;
        uint32_t style;
        int part;
        bool ownerDrawn;
    } cases[] = {
        {"", true, false, 0, 0, kBase | kButtonOwnerDraw, 1, true},  // shown once sized
        {"", true, false, 80, 0, kBase | kButtonOwnerDraw, 1, true},
        {"", true, false, 80, 24, kBase | kButtonOwnerDraw | kVisible, 1, true},
        {"hide", true, false, 80, 24, kBase | kButtonOwnerDraw, 1, true},
        {"disabled", true, false, 80, 24, kBase | kButtonOwnerDraw | kVisible | kDisabled, 1, true},
        {"checkbox disabled", true, false, 0, 0, kBase | kButtonOwnerDraw | kDisabled, 3, true},
        {"transparent=128", true, false, 80, 24, kBase | kButtonOwnerDraw, 1, true},  // shown once its background is saved
        {"system", true, false, 80, 24, kBase | kButtonPush | kVisible, 1, false},
        {"oldstyle", false, false, 0, 0, kBase | kButtonOwnerDraw, 1, true},  // old style is painted by us
        {"checkbox", true, false, 0, 0, kBase | kButtonOwnerDraw, 3, true},
        {"checkbox oldstyle", false, false, 0, 0, kBase | kButtonCheckBox, 3, false},
        {"checkbox system", true, false, 0, 0, kBase | kButtonCheckBox, 3, false},
        {"radiobutton", true, false, 0, 0, kBase | kButtonOwnerDraw, 2, true},
        {"radiobutton", true, true, 0, 0, kBase | kButtonRadio, 2, false},
        {"", true, true, 0, 0, kBase | kButtonOwnerDraw, 1, true},  // the switch leaves push buttons alone
    };
    for (const Case& c : cases) {
        ButtonStyleRequest r;
        r.newStyle = c.newStyle;
        r.systemCheckBoxes = c.systemCheckBoxes;
        r.width = c.width;
        r.height = c.height;
        const ButtonStyle s = ComputeButtonStyle(ParseButtonOptions(c.options), r);
        const auto where = ::testing::Message() << '"' << c.options << "\" new " << c.newStyle << " switch "
                                                << c.systemCheckBoxes << ' ' << c.width << 'x' << c.height;
        EXPECT_EQ(s.style, c.style) << where;
        EXPECT_EQ(s.themePart, c.part) << where;
        EXPECT_EQ(s.ownerDrawn, c.ownerDrawn) << where;
    }
}

TEST(ButtonStyle, DefaultButtonOfTheOwnerDrawnVariant) {
    struct Case {
        const char* options;
        uint32_t style;
    } cases[] = {
        {"ownerdraw", kBase | kButtonOwnerDraw | kVisible},  // the owner-draw type holds the bit already
        {"ownerdraw system", kBase | kButtonDefPush | kVisible},
        {"ownerdraw system checkbox", kBase | kButtonCheckBox | kVisible},  // 1 | 2 would be another type
    };
    for (const Case& c : cases) {
        ButtonStyleRequest r;
        r.defaultButton = true;
        r.width = 80;
        r.height = 24;
        EXPECT_EQ(ComputeButtonStyle(ParseButtonOptions(c.options), r).style, c.style) << c.options;
    }
}

TEST(ButtonStyle, ThemeStates) {
    struct Case {
        ButtonKind kind;
        ButtonPaintState state;  // disabled, focused, hot, selected, checked
        int expected;
    } cases[] = {
        {ButtonKind::Push, {}, 1},
        {ButtonKind::Push, {false, true, false, false, false}, 1},
        {ButtonKind::Push, {false, false, true, false, false}, 2},
        {ButtonKind::Push, {false, true, true, true, false}, 3},
        {ButtonKind::Push, {false, false, true, true, false}, 2},  // selected without focus
        {ButtonKind::Push, {true, true, true, true, false}, 4},
        {ButtonKind::Push, {false, false, false, false, true}, 1},  // a push button is never ticked
        {ButtonKind::CheckBox, {false, false, false, false, true}, 5},
        {ButtonKind::CheckBox, {false, false, true, false, true}, 6},
        {ButtonKind::RadioButton, {false, false, true, false, false}, 2},
        {ButtonKind::RadioButton, {true, false, true, false, true}, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ButtonThemeState(c.kind, c.state), c.expected)
            << static_cast<int>(c.kind) << ' ' << c.state.disabled << c.state.focused << c.state.hot
            << c.state.selected << c.state.checked;
    }
}

TEST(ButtonStyle, BlendAlpha) {
    struct Case {
        const char* options;
        int normal, hot;
    } cases[] = {
        {"", -1, -1},
        {"transparent", -1, -1},  // a saved background but no blending
        {"transparent=128", 128, 128},
        {"transparent=128/hot=200", 128, 200},
        {"transparent=128/hot=0", 128, 0},  // a given 0 counts
        {"transparent=999/hot=300", 255, 255},
        {"transparent/hot=200", -1, -1},
    };
    for (const Case& c : cases) {
        const ButtonOptions o = ParseButtonOptions(c.options);
        EXPECT_EQ(ButtonBlendAlpha(o, false), c.normal) << c.options;
        EXPECT_EQ(ButtonBlendAlpha(o, true), c.hot) << c.options;
    }
}

}  // namespace
