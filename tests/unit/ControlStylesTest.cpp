#include <gtest/gtest.h>

#include <cstdint>

#include "toolkit/portable/controls/ControlStyleBits.h"
#include "toolkit/portable/controls/ControlStyles.h"
#include "toolkit/portable/options/StyleBits.h"

namespace {

using namespace StyleBits;

constexpr uint32_t kShown = kChild | kVisible;

TEST(ControlStyles, ScrollBarsNeedAnOrientationAndAlignOnlyAtZeroThickness) {
    struct Case {
        const char* options;
        int width, height;
        uint32_t style;
    } cases[] = {
        {"", 100, 0, 0},
        {"disabled bottom", 100, 0, 0},
        {"horz", 100, 0, kShown | kScrollHorz | kScrollTopAlign},
        {"horz bottom", 100, 0, kShown | kScrollHorz | kScrollBottomAlign},
        {"horz bottom", 100, 16, kShown | kScrollHorz},
        {"horz", 0, 0, kShown | kScrollHorz | kScrollTopAlign},
        {"vert", 0, 100, kShown | kScrollVert | kScrollTopAlign},
        {"vertical right", 0, 100, kShown | kScrollVert | kScrollBottomAlign},
        {"vert right", 16, 100, kShown | kScrollVert},
        {"vert", 100, 0, kShown | kScrollVert},  // a vertical bar's thickness is its width
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollBarStyle(ParseBarOptions(c.options), c.width, c.height), c.style)
            << '"' << c.options << "\" " << c.width << 'x' << c.height;
    }
}

TEST(ControlStyles, TrackbarOrientationAndTicks) {
    struct Case {
        const char* options;
        uint32_t style;
    } cases[] = {
        {"bottom", 0},
        {"horz", kShown | kTrackAutoTicks | kTrackHorz | kTrackTicksTopLeft},
        {"horizontal bottom", kShown | kTrackAutoTicks | kTrackHorz},
        {"vert", kShown | kTrackAutoTicks | kTrackVert | kTrackTicksTopLeft},
        {"vert right", kShown | kTrackAutoTicks | kTrackVert},
        {"horz disabled", kShown | kDisabled | kTrackAutoTicks | kTrackHorz | kTrackTicksTopLeft},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrackbarStyle(ParseBarOptions(c.options)), c.style) << c.options;
}

TEST(ControlStyles, EditBoxes) {
    constexpr uint32_t kEditBase = kChild | kTabStop;
    struct Case {
        const char* options;
        uint32_t style;
    } cases[] = {
        {"", kEditBase | kVisible},
        {"hidden", kEditBase},
        {"multiline", kEditBase | kVisible | kEditMultiline | kEditWantReturn},
        {"autovscroll", kEditBase | kVisible | kEditAutoVScroll | kVScroll},
        {"readonly", kEditBase | kVisible | kEditReadOnly},
        {"numbersonly", kEditBase | kVisible | kEditNumber},
        {"floatnumbersonly", kEditBase | kVisible},
        {"startgroup", kEditBase | kVisible | kGroup},
        {"endgroup", kEditBase | kVisible | kGroup},
    };
    for (const Case& c : cases) {
        const ControlStyle s = EditBoxStyle(ParseEditOptions(c.options));
        EXPECT_EQ(s.style, c.style) << c.options;
        EXPECT_EQ(s.exStyle, kExClientEdge) << c.options;
    }
}

TEST(ControlStyles, ListAndComboBoxBorders) {
    const uint32_t list = kShown | kTabStop | kVScroll | kListNotify;
    const uint32_t combo = kShown | kTabStop | kVScroll | kComboDropDownList;
    struct Case {
        ControlStyle (*make)(const ListOptions&);
        const char* options;
        uint32_t style, exStyle;
    } cases[] = {
        {ListBoxStyle, "", list | kBorder, 0},
        {ListBoxStyle, "sunken", list, kExClientEdge},
        {ComboBoxStyle, "", combo | kBorder, 0},
        {ComboBoxStyle, "sunken defaultfont", combo, kExClientEdge},
    };
    for (const Case& c : cases) {
        const ControlStyle s = c.make(ParseListOptions(c.options));
        EXPECT_EQ(s.style, c.style) << c.options;
        EXPECT_EQ(s.exStyle, c.exStyle) << c.options;
    }
}

TEST(ControlStyles, ChildPanels) {
    struct Case {
        const char* options;
        bool ownerDrawn;
        uint32_t style;
    } cases[] = {
        {"", false, kShown},
        {"", true, kShown | kStaticOwnerDraw},
        {"hide", true, kChild | kStaticOwnerDraw},
        {"regularwindow", true, kShown},  // a plain window is never asked to draw
        {"popup", false, kPopup | kVisible},
        {"popup hide", false, kPopup},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PanelStyle(ParsePanelOptions(c.options), c.ownerDrawn), c.style) << c.options << ' ' << c.ownerDrawn;
}

}  // namespace
