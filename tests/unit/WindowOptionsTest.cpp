#include <gtest/gtest.h>

#include "toolkit/portable/options/StyleBits.h"
#include "toolkit/portable/options/WindowOptions.h"

namespace {

using namespace StyleBits;

constexpr uint32_t kAlways = kPopup | kClipSiblings | kClipChildren;

TEST(WindowOptions, BorderKeywordsOverrideInTableOrder) {
    struct Case {
        const char* options;
        BorderKind kind;
    } cases[] = {
        {"", BorderKind::Border},
        {"border", BorderKind::Border},
        {"raised", BorderKind::Raised},
        {"recessed", BorderKind::Recessed},
        {"depressed", BorderKind::Recessed},
        {"sunken", BorderKind::Sunken},
        {"noborder", BorderKind::None},  // contains "border", which loses
        {"noborder2", BorderKind::NoneAtAll},
        {"noborder raised", BorderKind::None},  // order in the text does not matter
        {"sunken raised", BorderKind::Sunken},
        {"NoBorder", BorderKind::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseWindowOptions(c.options).border, c.kind) << c.options;
}

TEST(WindowOptions, KeywordsAndTheLongerWordsHoldingThem) {
    EXPECT_TRUE(ParseWindowOptions("hide").hidden);
    EXPECT_TRUE(ParseWindowOptions("hidden").hidden);
    EXPECT_TRUE(ParseWindowOptions("usedefaultcolors").defaultColours);
    EXPECT_TRUE(ParseWindowOptions("usedefaultfont").defaultFont);
    EXPECT_TRUE(ParseWindowOptions("initial border hide hidden title,").initial);
    EXPECT_FALSE(ParseWindowOptions("transparent").layered);
    EXPECT_TRUE(ParseWindowOptions("xransparent").layered);
}

TEST(WindowOptions, OptionKeywordsGiveStyleBits) {
    struct Case {
        const char* options;
        uint32_t style;
        uint32_t exStyle;
    } cases[] = {
        // The default: overlapped window without the sizing frame, dialog frame.
        {"", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, 0},
        {"noclose", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, 0},
        {"noclose nosysmenu", kAlways | kCaption | kMinimizeBox | kMaximizeBox, 0},
        {"nosizing", kAlways | kCaption | kSysMenu, 0},
        {"nocaption", kAlways | kSysMenu | kMinimizeBox | kMaximizeBox, 0},
        {"resizeable", kAlways | kCaption | kSysMenu | kThickFrame | kMinimizeBox | kMaximizeBox, 0},
        {"nosizing resizeable", kAlways | kCaption | kSysMenu | kThickFrame, 0},
        {"raised", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, kExWindowEdge},
        {"recessed", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, kExClientEdge},
        {"sunken", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, kExStaticEdge},
        {"noborder", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, 0},
        {"noborder nocaption", kAlways | kSysMenu | kMinimizeBox | kMaximizeBox, 0},
        {"toolwindow", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, kExToolWindow},
        {"maximize", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox | kMaximize, 0},
        {"xransparent", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, kExLayered},
        // A title-less child: nothing of the overlapped window is left.
        {"notitle", kChild | kClipSiblings | kClipChildren | kDlgFrame, 0},
        {"notitle noborder", kChild | kClipSiblings | kClipChildren, 0},
        {"child", kChild | kClipSiblings | kClipChildren | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, 0},
        // A sunken child keeps only a client edge; its sizing frame goes with
        // every other window's unless "resizeable" keeps it.
        {"child sunken", kChild | kClipSiblings | kClipChildren, kExClientEdge},
        {"notitle sunken resizeable", kChild | kClipSiblings | kClipChildren | kThickFrame, kExClientEdge},
        {"hidden", kAlways | kCaption | kSysMenu | kMinimizeBox | kMaximizeBox, 0},
    };
    for (const Case& c : cases) {
        const WindowStyle s = ComputeWindowStyle(ParseWindowOptions(c.options));
        EXPECT_EQ(s.style, c.style) << '"' << c.options << '"' << std::hex << " got " << s.style;
        EXPECT_EQ(s.exStyle, c.exStyle) << '"' << c.options << '"' << std::hex << " got " << s.exStyle;
    }
}

TEST(WindowOptions, ClassChoiceFollowsPriority) {
    struct Case {
        const char* options;
        WindowClassKind windowClass;
    } cases[] = {
        {"", WindowClassKind::UserWin},
        {"dropshadow", WindowClassKind::DropShadow},
        {"doubleclick dropshadow", WindowClassKind::DoubleClick},
        {"nocursor doubleclick", WindowClassKind::NoCursor},
        {"textonly nocursor", WindowClassKind::TextWindow},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeWindowStyle(ParseWindowOptions(c.options)).windowClass, c.windowClass) << c.options;
}

TEST(WindowOptions, PlacementRules) {
    EXPECT_TRUE(ComputeWindowStyle(ParseWindowOptions("")).relativeToParent);
    EXPECT_FALSE(ComputeWindowStyle(ParseWindowOptions("Initial")).relativeToParent);
    // Child coordinates are already relative to the parent's client area.
    EXPECT_FALSE(ComputeWindowStyle(ParseWindowOptions("child")).relativeToParent);
    EXPECT_FALSE(ComputeWindowStyle(ParseWindowOptions("notitle")).relativeToParent);
    EXPECT_TRUE(ComputeWindowStyle(ParseWindowOptions("noborder")).atOrigin);
    EXPECT_FALSE(ComputeWindowStyle(ParseWindowOptions("noborder2")).atOrigin);
}

TEST(WindowOptions, TransparencyValues) {
    struct Case {
        const char* options;
        int first, second;
    } cases[] = {
        {"textonly", 0, 255},
        {"transparent", 0, 255},
        {"transparent=40", 40, 255},
        {"transparent = 40 / 200", 40, 200},
        {"transparent=40\\200", 40, 200},
        {"transparent=\t7/ 9,textonly", 7, 9},
        {"transparent/200", 0, 255},  // no "=": nothing is read
        {"transparent=x/3", 0, 255},  // no number, so no slash follows it
        {"transparent=99999999999999999999", 999999999, 255},  // clamped, no overflow
    };
    for (const Case& c : cases) {
        const WindowOptions o = ParseWindowOptions(c.options);
        EXPECT_EQ(o.transparency, c.first) << c.options;
        EXPECT_EQ(o.transparencyTo, c.second) << c.options;
    }
}

}  // namespace
