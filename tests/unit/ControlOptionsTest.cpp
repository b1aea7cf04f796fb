#include <gtest/gtest.h>

#include <string>

#include "toolkit/portable/options/ControlOptions.h"

namespace {

TEST(ControlOptions, ControlNames) {
    struct Case {
        std::string options;
        std::string name;
    } cases[] = {
        {"name=Ok", "Ok"},
        {"n=Ok", "Ok"},
        {"name Ok", "Ok"},
        {"NAME= Ok,system", "Ok"},
        {"name=Two Words, hide", "Two Words"},  // only a comma or a control character ends it
        {"name=Ok\tx", "Ok"},
        {"system, name=Ok", "Ok"},
        {"n=First name=Second", "Second"},  // "name=" is searched first
        {"name=", ""},
        {"name=   ", ""},
        {"name=,x", ""},
        {"hidden readonly", "readonly"},  // "n " of "hidden " names it
        {"hidden,readonly", ""},
        {"", ""},
        {"name=" + std::string(198, 'x'), std::string(198, 'x')},
        {"name=" + std::string(199, 'x'), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseControlName(c.options.c_str()), c.name) << c.options;
    EXPECT_EQ(ParseControlName(nullptr), "");
}

TEST(ControlOptions, ButtonKeywordsAndTransparency) {
    const ButtonOptions plain = ParseButtonOptions("");
    EXPECT_FALSE(plain.transparent);
    EXPECT_EQ(plain.transparency, -1);
    EXPECT_EQ(plain.hotTransparency, 0);

    EXPECT_TRUE(ParseButtonOptions("radiobutton").checkBox);
    EXPECT_TRUE(ParseButtonOptions("depressed").recessed);
    EXPECT_TRUE(ParseButtonOptions("hide").hidden);

    struct Case {
        const char* options;
        int transparency, hot;
    } cases[] = {
        {"transparent", -1, 0},
        {"transparent=128", 128, 0},
        {"transparent = 128 / hot = 200", 128, 200},
        {"transparent=128/HOT=200", 128, 200},
        {"transparent=128/cold=200", 128, 0},
        {"transparent=128/hot 200", 128, 0},
    };
    for (const Case& c : cases) {
        const ButtonOptions b = ParseButtonOptions(c.options);
        EXPECT_TRUE(b.transparent) << c.options;
        EXPECT_EQ(b.transparency, c.transparency) << c.options;
        EXPECT_EQ(b.hotTransparency, c.hot) << c.options;
    }
}

TEST(ControlOptions, BarsNeedAnOrientation) {
    struct Case {
        const char* options;
        Orientation orientation;
        bool alignEnd;
    } cases[] = {
        {"", Orientation::None, false},
        {"disabled", Orientation::None, false},
        {"Horz", Orientation::Horizontal, false},
        {"horizontal bottom", Orientation::Horizontal, true},
        {"horz right", Orientation::Horizontal, false},
        {"Vert right", Orientation::Vertical, true},
        {"vertical bottom", Orientation::Vertical, false},
        {"vert horz", Orientation::Horizontal, false},  // horizontal wins
    };
    for (const Case& c : cases) {
        const BarOptions b = ParseBarOptions(c.options);
        EXPECT_EQ(b.orientation, c.orientation) << c.options;
        EXPECT_EQ(b.alignEnd, c.alignEnd) << c.options;
    }
}

TEST(ControlOptions, EditListAndPanelKeywords) {
    EXPECT_TRUE(ParseEditOptions("numbersonly").numbersOnly);
    const EditOptions floating = ParseEditOptions("floatnumbersonly");
    EXPECT_TRUE(floating.floatNumbersOnly);
    EXPECT_FALSE(floating.numbersOnly);
    const EditOptions e = ParseEditOptions("multiline autovscroll readonly hidden startgroup");
    EXPECT_TRUE(e.multiline && e.autoVScroll && e.readOnly && e.hidden && e.startGroup);
    EXPECT_FALSE(e.endGroup);
    EXPECT_EQ(e.name, "startgroup");  // named by the "n " of "hidden "

    EXPECT_TRUE(ParseListOptions("usedefaultcolors").defaultColours);
    EXPECT_TRUE(ParseListOptions("sunken").sunken);
    EXPECT_FALSE(ParseListOptions("sunken").defaultFont);

    const PanelOptions p = ParsePanelOptions("regularwindow popup");
    EXPECT_TRUE(p.regularWindow && p.popup);
    EXPECT_FALSE(p.hidden);
}

TEST(ControlOptions, MenuItemPositionAndPopup) {
    struct Case {
        const char* options;
        int position;
        bool popup;
    } cases[] = {
        {"", 0, false},
        {"Position=3", 3, false},
        {"position=12 popup", 12, true},
        {"popup,POSITION=7", 7, true},
        {"Position=", 0, false},
        {"Position=-2", 0, false},
        {"Position = 4", 0, false},  // the equals sign belongs to the keyword
        {"Position=99999999999", 999999999, false},
    };
    for (const Case& c : cases) {
        const MenuItemOptions m = ParseMenuItemOptions(c.options);
        EXPECT_EQ(m.position, c.position) << c.options;
        EXPECT_EQ(m.popup, c.popup) << c.options;
    }
    EXPECT_EQ(ParseMenuItemOptions(nullptr).position, 0);
}

}  // namespace
