#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/portable/events/EventNames.h"

namespace {

TEST(EventNames, EveryNameHasItsCode) {
    struct Case {
        const char* name;
        int code;
    } cases[] = {
        {"AnyMouse", 0},     {"Mouse", 0},           {"MouseClick", 1},       {"MouseDown", 1},
        {"MouseMove", 2},    {"MouseMovement", 2},   {"AnyMouseMove", 2},     {"AnyMouseMovement", 2},
        {"MouseUp", 3},      {"AnyMouseUp", 3},      {"LeftMouseClick", 4},   {"RightMouseClick", 5},
        {"Button", 6},       {"Buttons", 6},         {"AnyButton", 6},        {"AllButtons", 6},
        {"AnyButtons", 6},   {"ListBox", 7},         {"AnyListBox", 7},       {"Timer", 8},
        {"AnyTimer", 8},     {"AnyScroll", 9},       {"AnyScrollBar", 9},     {"AnyMenu", 10},
        {"CloseWindow", 11}, {"WindowClose", 11},    {"UserEvent", 12},       {"MouseWheel", 14},
        {"AnyKey", 15},
        {"anybutton", 6},    {"CLOSEWINDOW", 11},
        {"AnyButton ", -1},  {"Any Button", -1},     {"", -1},                {"Key", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindEventCode(c.name), c.code) << '"' << c.name << '"';
}

TEST(EventNames, SplitsListsAtCommas) {
    using Tokens = std::vector<std::string>;
    struct Case {
        const char* list;
        Tokens tokens;
    } cases[] = {
        {"AnyButton,CloseWindow", {"AnyButton", "CloseWindow"}},
        {"AnyButton, CloseWindow", {"AnyButton", "CloseWindow"}},
        {"  anybutton ,\tclosewindow", {"anybutton ", "closewindow"}},
        {"AnyButton CloseWindow", {"AnyButton CloseWindow"}},
        {",,AnyKey,,", {"AnyKey"}},
        {"AnyKey\nTimer", {"AnyKey", "Timer"}},
        {"", {}},
        {" , ", {}},
    };
    for (const Case& c : cases) {
        Tokens tokens{"stale"};
        EXPECT_TRUE(SplitEventList(c.list, tokens)) << c.list;
        EXPECT_EQ(tokens, c.tokens) << c.list;
    }
}

TEST(EventNames, TokensOfTwoHundredCharactersInvalidateTheList) {
    std::vector<std::string> tokens;
    const std::string longest(199, 'x');
    EXPECT_TRUE(SplitEventList(("AnyKey," + longest).c_str(), tokens));
    EXPECT_EQ(tokens.size(), 2u);
    EXPECT_FALSE(SplitEventList(("AnyKey," + longest + "x").c_str(), tokens));
    EXPECT_TRUE(tokens.empty());
    EXPECT_FALSE(SplitEventList((longest + "x,AnyKey").c_str(), tokens));
}

}  // namespace
