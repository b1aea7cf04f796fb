#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "toolkit/portable/textwindow/LineInput.h"

namespace {

LineRecord LineWith(const std::string& text) {
    LineRecord line{};
    std::memcpy(line.text, text.data(), text.size());
    line.length = static_cast<int32_t>(text.size());
    return line;
}

std::string Text(const LineRecord& line) {
    EXPECT_EQ(line.text[line.length], '\0');
    return std::string(line.text, static_cast<size_t>(line.length));
}

TEST(TextLineInput, KeysEditOnlyWhatWasTyped) {
    struct Case {
        const char* before;
        std::vector<int> keys;
        const char* shown;   // the line once the input is over
        const char* result;  // what the input returns
    };
    const Case cases[] = {
        {"Name? ", {'a', 'b', 13}, "Name? ab", "ab"},
        {"Name? ", {'a', 'b', 8, 'c', 13}, "Name? ac", "ac"},
        // Backspace stops at the text that was there.
        {"Name? ", {'a', 8, 8, 8, 'z', 13}, "Name? z", "z"},
        // Escape gives the line back as it was.
        {"Name? ", {'a', 'b', 27}, "Name? ", ""},
        {"", {13}, "", ""},
        // Movement keys and control characters are not typed.
        {"", {256, 1, 9, 'x', 13}, "x", "x"},
        {"", {0xE9, 13}, "\xE9", "\xE9"},
    };
    for (const Case& c : cases) {
        LineRecord line = LineWith(c.before);
        CLineInput input(line);
        bool over = false;
        for (int key : c.keys)
            over = input.Key(key, line);
        EXPECT_TRUE(over) << c.before;
        EXPECT_EQ(Text(line), c.shown) << c.before;
        EXPECT_EQ(input.Result(), c.result) << c.before;
    }
}

TEST(TextLineInput, ShowsTheCursorBehindTheTypedText) {
    LineRecord line = LineWith("> ");
    CLineInput input(line);
    EXPECT_EQ(Text(line), "> _");
    input.Key('h', line);
    input.Key('i', line);
    EXPECT_EQ(Text(line), "> hi_");
    input.Key(8, line);
    EXPECT_EQ(Text(line), "> h_");
}

TEST(TextLineInput, AFullLineTakesNoMoreThanFits) {
    // Two bytes of room: one character and the cursor.
    LineRecord line = LineWith(std::string(kLineTextLimit - 2, 'p'));
    CLineInput input(line);
    for (int i = 0; i < 5; ++i)
        input.Key('k', line);
    EXPECT_EQ(line.length, static_cast<int32_t>(kLineTextLimit));
    EXPECT_EQ(line.text[line.length - 1], '_');
    input.Key(13, line);
    EXPECT_EQ(input.Result(), "k");
    EXPECT_EQ(line.length, static_cast<int32_t>(kLineTextLimit - 1));

    LineRecord full = LineWith(std::string(kLineTextLimit, 'p'));
    CLineInput none(full);
    none.Key('k', full);
    none.Key(13, full);
    EXPECT_EQ(none.Result(), "");
    EXPECT_EQ(Text(full), std::string(kLineTextLimit, 'p'));
}

TEST(TextLineInput, EachKeyShowsTheInputOnTheLineItIsGiven) {
    // While the program waits for a key, the ring may move on or be
    // replaced: the line the input started on is left as it stood then.
    LineRecord started = LineWith("Name? ");
    CLineInput input(started);
    input.Key('a', started);
    LineRecord current = LineWith("");
    input.Key('b', current);
    EXPECT_EQ(Text(started), "Name? a_");
    EXPECT_EQ(Text(current), "Name? ab_");

    LineRecord atEnter = LineWith("other");
    EXPECT_TRUE(input.Key(13, atEnter));
    EXPECT_EQ(Text(atEnter), "Name? ab");
    EXPECT_EQ(input.Result(), "ab");
}

}  // namespace
