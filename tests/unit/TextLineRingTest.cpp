#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "toolkit/portable/options/ColourTable.h"
#include "toolkit/portable/text/Markup.h"
#include "toolkit/portable/textwindow/LineRing.h"
#include "tests/unit/MarkupBytes.h"

namespace {

const std::string kFont = Code({7, 0, 0, 0, 1});

bool Append(CLineRing& ring, const std::string& text, int32_t value = -1) {
    return ring.Append(text.data(), text.size(), value);
}

// The line's bytes by its length, checked against its terminating zero.
std::string Text(const LineRecord* line) {
    if (!line)
        return "<none>";
    EXPECT_EQ(line->text[line->length], '\0');
    return std::string(line->text, static_cast<size_t>(line->length));
}

std::string Numbered(int n) {
    return "line " + std::to_string(n);
}

TEST(TextLineRing, KeepsTheNewestLinesWhenFull) {
    // A full ring holds its last capacity lines, the line being filled
    // among them once it has text.
    struct Case {
        int capacity;
        int lines;
        bool lastEndsLine;
        int count;
        int oldest;
    } cases[] = {
        {500, 499, true, 499, 1},
        {500, 500, false, 500, 1},
        {500, 501, false, 500, 2},  // the 501st line pushes out the first
        {500, 501, true, 500, 2},  // its line feed starts an empty line, which is not counted
        {500, 1234, false, 500, 735},
        {500, 1234, true, 500, 735},
        {1, 3, false, 1, 3},  // only the line being filled
        {1, 3, true, 1, 3},
    };
    for (const Case& c : cases) {
        CLineRing ring(c.capacity);
        for (int n = 1; n <= c.lines; ++n)
            Append(ring, Numbered(n) + (n < c.lines || c.lastEndsLine ? "\n" : ""));
        SCOPED_TRACE(std::to_string(c.capacity) + " lines, " + std::to_string(c.lines) + " appended");
        ASSERT_EQ(ring.LineCount(), c.count);
        EXPECT_EQ(Text(ring.Line(0)), Numbered(c.oldest));
        EXPECT_EQ(Text(ring.Line(c.count - 1)), Numbered(c.lines));
        EXPECT_EQ(Text(ring.Line(c.count)), "<none>");
        EXPECT_EQ(Text(ring.Line(-1)), "<none>");
        for (int n = 0; n < c.count; ++n)
            EXPECT_EQ(Text(ring.Line(n)), Numbered(c.oldest + n)) << n;
    }
}

TEST(TextLineRing, CopiesCodesWholeAndContinuesTheLineAcrossAppends) {
    CLineRing ring(4);
    EXPECT_TRUE(Append(ring, kBlue + "bl", 7));
    EXPECT_TRUE(Append(ring, "ue" + kReset + " plain\n" + kFont + "x", 8));
    ASSERT_EQ(ring.LineCount(), 2);
    EXPECT_EQ(Text(ring.Line(0)), kBlue + "blue" + kReset + " plain");  // payload zeros kept
    EXPECT_EQ(ring.Line(0)->value, 8);
    EXPECT_EQ(Text(ring.Line(1)), kFont + "x");
    EXPECT_EQ(ring.Line(1)->value, 8);
    EXPECT_EQ(&ring.Current(), ring.Line(1));
    EXPECT_EQ(ring.WriteIndex(), 1);
}

TEST(TextLineRing, DropsTruncatedCodesAndCopiesBytesThatAreNoCode) {
    const struct {
        std::string text;
        std::string line;
    } cases[] = {
        {"ab\x01", "ab"},
        {"ab" + Code({1, 0, 0}), "ab"},
        {"ab" + Code({7, 0, 0, 0}), "ab"},
        {"a" + Code({6}) + "b", "a" + Code({6}) + "b"},
        {"a" + Code({0}), "a" + Code({0})},
    };
    for (const auto& c : cases) {
        CLineRing ring(2);
        Append(ring, c.text);
        // A code never spans two appends: the next one starts afresh.
        Append(ring, "z");
        EXPECT_EQ(Text(ring.Line(0)), c.line + "z") << c.text;
    }
}

TEST(TextLineRing, RefusesATextOfTheLineLimitOrLonger) {
    CLineRing ring(2);
    Append(ring, "kept");
    EXPECT_FALSE(Append(ring, std::string(kLineTextLimit, 'x') + "\n"));
    EXPECT_FALSE(ring.Append(nullptr, kLineTextLimit, -1));
    EXPECT_EQ(Text(ring.Line(0)), "kept");
    EXPECT_EQ(ring.LineCount(), 1);
    EXPECT_TRUE(ring.Append(nullptr, 5, -1));  // a null text is empty
    EXPECT_TRUE(Append(ring, std::string(kLineTextLimit - 1 - 4, 'y')));
    EXPECT_EQ(ring.Line(0)->length, static_cast<int32_t>(kLineTextLimit - 1));
}

TEST(TextLineRing, CutsALineThatGrowsPastTheLimitWithoutALineFeed) {
    const std::string full(kLineTextLimit - 5, '.');  // 5 bytes of room left
    const struct {
        const char* why;
        std::vector<std::string> appends;
        std::string tail;  // what the line holds after full
    } cases[] = {
        {"a run is cut at the limit", {"abcdefg"}, "abcde"},
        {"nothing follows a cut run", {"abcdefg", "h"}, "abcde"},
        {"a code that fits exactly", {kBlue, "x"}, kBlue},
        {"a code that does not fit is dropped", {"a", kBlue}, "a"},
        {"and nothing is squeezed in behind it", {"a", kBlue, "b" + kReset}, "a"},
        {"within one append too", {"a" + kBlue + "b"}, "a"},
    };
    for (const auto& c : cases) {
        CLineRing ring(3);
        ASSERT_TRUE(Append(ring, full.substr(0, 600)));
        ASSERT_TRUE(Append(ring, full.substr(600)));
        for (const std::string& text : c.appends)
            EXPECT_TRUE(Append(ring, text)) << c.why;
        EXPECT_EQ(Text(ring.Line(0)), full + c.tail) << c.why;
        // The next line feed still ends the line and the next line is whole.
        Append(ring, "tail\nnext");
        EXPECT_EQ(Text(ring.Line(0)), full + c.tail) << c.why;
        EXPECT_EQ(Text(ring.Line(1)), "next") << c.why;
    }
}

TEST(TextLineRing, KeepsTheCapacityInRange) {
    const struct {
        int requested;
        int kept;
    } cases[] = {
        {kTextOnlyLines, 500}, {0, kMinTextLines}, {-5, kMinTextLines}, {1 << 30, kMaxTextLines},
    };
    for (const auto& c : cases) {
        CLineRing ring(c.requested);
        EXPECT_EQ(ring.Capacity(), c.kept) << c.requested;
    }
}

TEST(TextLineRing, ResetEmptiesTheRing) {
    CLineRing ring(3);
    Append(ring, "a\nb\nc\nd");
    ring.Reset(7);
    EXPECT_EQ(ring.Capacity(), 7);
    EXPECT_EQ(ring.LineCount(), 0);
    EXPECT_EQ(ring.WriteIndex(), 0);
    Append(ring, "e");
    EXPECT_EQ(Text(ring.Line(0)), "e");
}

TEST(TextLineRing, HoldsWhatTheMarkupCompilerWrites) {
    const CColourTable colours;
    const MarkupText compiled = CompileMarkup("{b}blue{/} plain\n", colours, nullptr);
    CLineRing ring;
    Append(ring, std::string(compiled.Text(), compiled.Length()));
    ASSERT_EQ(ring.LineCount(), 1);
    EXPECT_EQ(Text(ring.Line(0)), kBlue + "blue" + kReset + " plain");
}

}  // namespace
