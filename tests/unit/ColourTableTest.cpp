#include <gtest/gtest.h>

#include <string>

#include "toolkit/portable/options/ColourTable.h"

namespace {

TEST(ColourTable, HoldsTheStandardNames) {
    const CColourTable table;
    EXPECT_EQ(table.Size(), 27u);
    struct Case {
        const char* name;
        uint32_t colour;
    } cases[] = {
        {"Green", 0x0000FF00},     {"G", 0x0000FF00},         {"LightGreen", 0x0080FF80},
        {"LG", 0x0080FF80},        {"Blue", 0x00FF0000},      {"DarkBlue", 0x00800000},
        {"B", 0x00FF0000},         {"LightBlue", 0x00FF8080}, {"LB", 0x00FF8080},
        {"Cyan", 0x00FFFF00},      {"C", 0x00FFFF00},         {"Red", 0x000000FF},
        {"R", 0x000000FF},         {"LightRed", 0x008080FF},  {"LR", 0x008080FF},
        {"LightYellow", 0x0080FFFF}, {"Yellow", 0x0000FFFF},  {"Y", 0x0000FFFF},
        {"Magenta", 0x00FF00FF},   {"M", 0x00FF00FF},         {"Purple", 0x00FF00FF},
        {"P", 0x00FF00FF},         {"White", 0x00FFFFFF},     {"W", 0x00FFFFFF},
        {"Black", 0x00000000},     {"Bl", 0x00000000},        {"LightGray", 0x00C8C8C8},
        // Case does not matter.
        {"lightgray", 0x00C8C8C8}, {"LIGHTGREEN", 0x0080FF80}, {"bl", 0x00000000},
    };
    for (const Case& c : cases) {
        uint32_t colour = 0xDEADBEEF;
        EXPECT_TRUE(table.Find(c.name, colour)) << c.name;
        EXPECT_EQ(colour, c.colour) << c.name;
    }
}

TEST(ColourTable, LookUpMatchesWholeNamesOnly) {
    const CColourTable table;
    uint32_t colour = 0;
    for (const char* name : {"Gree", "Greens", "", "LightGrey", " Red"})
        EXPECT_FALSE(table.Find(name, colour)) << name;
    EXPECT_FALSE(table.Find(nullptr, colour));
}

TEST(ColourTable, AddNeverReplacesAnExistingName) {
    CColourTable table;
    EXPECT_EQ(table.Add("red", RgbColour(1, 2, 3)), ColourAddResult::ExistsOtherColour);
    EXPECT_EQ(table.Add("RED", RgbColour(255, 0, 0)), ColourAddResult::ExistsSameColour);
    EXPECT_EQ(table.Add("", RgbColour(1, 2, 3)), ColourAddResult::Refused);
    EXPECT_EQ(table.Add(nullptr, RgbColour(1, 2, 3)), ColourAddResult::Refused);
    EXPECT_EQ(table.Add("Orange", RgbColour(255, 165, 0)), ColourAddResult::Added);
    EXPECT_EQ(table.Size(), 28u);

    uint32_t colour = 0;
    ASSERT_TRUE(table.Find("Red", colour));
    EXPECT_EQ(colour, RgbColour(255, 0, 0));
    ASSERT_TRUE(table.Find("orange", colour));
    EXPECT_EQ(colour, RgbColour(255, 165, 0));
}

TEST(ColourTable, OverlongNamesNeverCompareEqual) {
    CColourTable table;
    const std::string longest(299, 'x');
    const std::string tooLong(300, 'y');
    EXPECT_EQ(table.Add(longest.c_str(), 1), ColourAddResult::Added);
    EXPECT_EQ(table.Add(longest.c_str(), 2), ColourAddResult::ExistsOtherColour);
    EXPECT_EQ(table.Add(tooLong.c_str(), 1), ColourAddResult::Added);
    EXPECT_EQ(table.Add(tooLong.c_str(), 1), ColourAddResult::Added);
    uint32_t colour = 0;
    EXPECT_TRUE(table.Find(longest.c_str(), colour));
    EXPECT_FALSE(table.Find(tooLong.c_str(), colour));
}

}  // namespace
