#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "toolkit/portable/options/ColourTable.h"
#include "toolkit/portable/text/Markup.h"
#include "toolkit/portable/text/MessageNames.h"

namespace {

using namespace std::string_literals;

TEST(MessageNames, WindowMessagesInOrderThenButtonMessages) {
    size_t count = 0;
    const MessageNameEntry* table = MessageNameTable(count);
    ASSERT_EQ(count, 230u);
    const size_t windowMessages = 222;
    EXPECT_EQ(table[0].number, 0);
    EXPECT_EQ(table[windowMessages - 1].number, 0x8000);
    for (size_t i = 0; i < windowMessages; ++i) {
        EXPECT_EQ(std::string(table[i].name).rfind("WM_", 0), 0u) << table[i].name;
        if (i > 0) {
            EXPECT_LE(table[i - 1].number, table[i].number) << table[i].name;
        }
    }
    for (size_t i = windowMessages; i < count; ++i) {
        const std::string name = table[i].name;
        EXPECT_EQ(table[i].number, static_cast<int>(0xF0 + i - windowMessages)) << name;
        EXPECT_EQ(name.rfind("{b}BM_", 0), 0u) << name;
        EXPECT_EQ(name.substr(name.size() - 3), "{/}") << name;
    }
}

TEST(MessageNames, TheFirstNameOfANumberWins) {
    struct Case {
        int number;
        const char* name;
    } cases[] = {
        {0x0000, "WM_NULL"},          {0x0001, "WM_CREATE"},        {0x001A, "WM_WININICHANGE"},
        {0x0100, "WM_KEYFIRST"},      {0x0109, "WM_UNICHAR"},       {0x010F, "WM_IME_COMPOSITION"},
        {0x0111, "WM_COMMAND"},       {0x0200, "WM_MOUSEFIRST"},    {0x020D, "WM_XBUTTONDBLCLK"},
        {0x0400, "WM_USER"},          {0x8000, "WM_APP"},           {0x00F0, "{b}BM_GETCHECK{/}"},
        {0x00F5, "{b}BM_CLICK{/}"},   {0x00F7, "{b}BM_SETIMAGE{/}"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(MessageName(c.number), c.name) << c.number;
}

TEST(MessageNames, UnknownNumbersAreReportedWithTheNumber) {
    struct Case {
        int number;
        const char* text;
    } cases[] = {
        {0x0004, "{italic}Not Found -- Message number = 4{/}"},
        {0x00F8, "{italic}Not Found -- Message number = 248{/}"},  // BM_SETDONTCLICK is not listed
        {0x8001, "{italic}Not Found -- Message number = 32769{/}"},
        {-1, "{italic}Not Found -- Message number = -1{/}"},
        {INT_MIN, "{italic}Not Found -- Message number = -2147483648{/}"},
        {INT_MAX, "{italic}Not Found -- Message number = 2147483647{/}"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(MessageName(c.number), c.text) << c.number;
}

TEST(MessageNames, ButtonNamesAndUnknownNumbersAreMarkup) {
    const CColourTable colours;
    const std::string blue = "\x01\x01\x00\x00\xff"s;
    const std::string reset = "\x01\x08";
    const MarkupText button = CompileMarkup(MessageName(0x00F1), colours, FontLookup{});
    EXPECT_EQ(std::string(button.Text(), button.Length()), blue + "BM_SETCHECK" + reset);
    const MarkupText unknown = CompileMarkup(MessageName(-7), colours, FontLookup{});
    EXPECT_EQ(std::string(unknown.Text(), unknown.Length()),
              "\x01\x04" "Not Found -- Message number = -7" + reset);
}

}  // namespace
