#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/portable/options/ColourTable.h"
#include "toolkit/portable/options/KeywordSearch.h"
#include "toolkit/portable/text/Markup.h"
#include "tests/unit/MarkupBytes.h"

namespace {

const std::string kRed = Code({1, 255, 0, 0});
const std::string kItalic = Code({4});
const std::string kMainFont = Code({7, 0x80, 0xFF, 0x00, 0x01});

// A registry that, like the font registry, ignores case. "B" and "BoldFace"
// exist to show that colour names and keywords come first.
std::optional<FontReference> TestFonts(const char* name) {
    if (EqualFolded(name, "MainFont"))
        return 0x80FF0001u;  // the high bit and a zero byte survive
    if (EqualFolded(name, "B") || EqualFolded(name, "BoldFace"))
        return 1u;
    return std::nullopt;
}

MarkupText Compile(const std::string& source, size_t capacity = kMarkupTextCapacity) {
    static const CColourTable colours;
    return CompileMarkup(source.c_str(), colours, TestFonts, capacity);
}

std::string Drawn(const MarkupText& text) {
    return std::string(text.Text(), text.Length());
}

struct CompiledCase {
    std::string source;
    std::string drawn;
    size_t visible;
};

void ExpectCompiled(const CompiledCase& c, size_t capacity = kMarkupTextCapacity) {
    const MarkupText text = Compile(c.source, capacity);
    EXPECT_TRUE(text.compiled) << c.source;
    EXPECT_EQ(Drawn(text), c.drawn) << c.source;
    EXPECT_EQ(text.visible, c.visible) << c.source;
    EXPECT_EQ(text.sourceLength, c.source.size()) << c.source;
}

TEST(MarkupCompile, TagsBecomeCodes) {
    const CompiledCase cases[] = {
        {"Hello{{x}", "Hello{x}", 8},
        {"{b}Blue{/} normal", kBlue + "Blue" + kReset + " normal", 11},
        {"{fg=Red}A{/}B", kRed + "A" + kReset + "B", 2},
        {"{bg=Yellow}X{/}", Code({3, 255, 255, 0}) + "X" + kReset, 1},
        {"{lbg=Red}x", Code({2, 255, 0, 0}) + "x", 1},
        {"{italic}x", kItalic + "x", 1},
        {"{bold}x", Code({5}) + "x", 1},
        {"{\\}x", kReset + "x", 1},
        {"{g}a{Bl}b", Code({1, 0, 255, 0}) + "a" + Code({1, 0, 0, 0}) + "b", 2},
        {"{lightgray}x", Code({1, 200, 200, 200}) + "x", 1},
        {"{MainFont}x", kMainFont + "x", 1},
        {"{mainfont}x", kMainFont + "x", 1},
        // Colour names and keywords are tried before fonts.
        {"{B}x", kBlue + "x", 1},
        {"{BoldFace}x", Code({5}) + "x", 1},
        // Bytes outside tags are copied and counted, line feeds, stray
        // braces and 0x01 included.
        {"a}b\n{/}", "a}b\n" + kReset, 4},
        {"{b}\x01\x05", kBlue + "\x01\x05", 2},
    };
    for (const CompiledCase& c : cases)
        ExpectCompiled(c);
}

TEST(MarkupCompile, KeywordsAreFoundInTheNameInOrder) {
    const CompiledCase cases[] = {
        {"{LBG=red}x", Code({2, 255, 0, 0}) + "x", 1},     // LBG before the BG in it
        {"{fgbg=Red}x", kRed + "x", 1},                    // FG first
        {"{textFG=Red}x", kRed + "x", 1},                  // anywhere in the name
        {"{bolditalic}x", kItalic + "x", 1},               // ITALIC before BOLD
        {"{Italics, please}x", kItalic + "x", 1},          // the rest is ignored
        {"{fg = Red}x", kRed + "x", 1},                    // spaces around "="
        {"{fg=  LIGHTGRAY}x", Code({1, 200, 200, 200}) + "x", 1},
        {"{fg1=Red}x", kRed + "x", 1},                     // digits belong to the name
    };
    for (const CompiledCase& c : cases)
        ExpectCompiled(c);
}

// A colour assignment padded to length characters of tag content.
std::string PaddedTag(size_t length) {
    return "{fg" + std::string(length - 6, ' ') + "=Red}";
}

TEST(MarkupCompile, TagsThatMatchNothingVanish) {
    const std::vector<std::string> tags = {
        "{}", "{nosuch}", "{fg=Nope}", "{fg=red }", "{fg=\tRed}", "{fg=}", "{//}", "{ b}", "{=Red}", "{Blue }",
        "{b{}", PaddedTag(kMarkupMaxTag)};
    for (const std::string& tag : tags)
        ExpectCompiled({"{b}" + tag + "x", kBlue + "x", 1});
    ExpectCompiled({PaddedTag(kMarkupMaxTag - 1) + "x", kRed + "x", 1});
}

TEST(MarkupCompile, AMalformedTagEndsTheCompilation) {
    const CompiledCase cases[] = {
        {"{b}A{B", kBlue + "A", 1},            // "{" without "}"
        {"{b}A{fg Red}B", kBlue + "A", 1},     // no "="
        {"{b}A{bg}B{/}", kBlue + "A", 1},
        {"{b}A{fg Red}B}", kBlue + "A", 1},
        {"Hello{{x{", "Hello{x", 7},           // "{{" needs the compiled text too
    };
    for (const CompiledCase& c : cases)
        ExpectCompiled(c);
}

TEST(MarkupCompile, TextsWithoutAnAcceptedTagAreDrawnAsTheyStand) {
    for (const std::string source :
         {"plain", "", "{fg Red}A", "{fgRed}A", "A{B", "{nosuch}x", "{}", "{fg=Nope}A", "x}"}) {
        const MarkupText text = Compile(source);
        EXPECT_FALSE(text.compiled) << source;
        EXPECT_EQ(text.Text(), source.c_str()) << source;
        EXPECT_EQ(text.Length(), source.size()) << source;
        EXPECT_EQ(text.visible, source.size()) << source;
    }
}

TEST(MarkupCompile, TheLongestCompiledTextIsOneBelowTheLimit) {
    const std::string x997(kMarkupSourceLimit - 3, 'x');
    ExpectCompiled({"{/}" + x997.substr(1), kReset + x997.substr(1), x997.size() - 1});
    const std::string atLimit = "{/}" + x997;
    const MarkupText text = Compile(atLimit);
    EXPECT_FALSE(text.compiled);
    EXPECT_EQ(Drawn(text), atLimit);
}

TEST(MarkupCompile, ANullTextIsEmpty) {
    const CColourTable colours;
    const MarkupText text = CompileMarkup(nullptr, colours, TestFonts);
    EXPECT_FALSE(text.compiled);
    ASSERT_NE(text.Text(), nullptr);
    EXPECT_EQ(text.Length(), 0u);
}

TEST(MarkupCompile, FontsAreAskedForTheWholeContentOfUnknownNamesOnly) {
    const CColourTable colours;
    std::vector<std::string> asked;
    const FontLookup recording = [&asked](const char* name) {
        asked.push_back(name);
        return TestFonts(name);
    };
    const MarkupText text =
        CompileMarkup("{b}{Main Font,1}{fg=Red}{fg=MainFont}{bold}{/}{nosuch}{}x", colours, recording);
    EXPECT_EQ(asked, (std::vector<std::string>{"Main Font,1", "nosuch"}));
    EXPECT_EQ(Drawn(text), kBlue + kRed + Code({5}) + kReset + "x");

    const MarkupText noFonts = CompileMarkup("{b}{MainFont}x", colours, FontLookup{});
    EXPECT_EQ(Drawn(noFonts), kBlue + "x");
}

// Growth past the buffer: the compiled text stops before the first item that
// does not fit whole, and nothing behind it is squeezed in.
TEST(MarkupCompile, CompiledTextNeverExceedsTheCapacity) {
    struct Case {
        std::string source;
        size_t capacity;
        std::string drawn;
        size_t visible;
    } cases[] = {
        {"{b}x{/}y", 6, kBlue + "x", 1},  // "y" would fit, but not the reset before it
        {"{b}x{/}y", 7, kBlue + "x", 1},
        {"{b}x{/}y", 8, kBlue + "x" + kReset, 1},
        {"{b}x{/}y", 9, kBlue + "x" + kReset + "y", 2},
        {"{b}{MainFont}x", 10, kBlue, 0},  // a font code is never split
        {"{b}{MainFont}x", 11, kBlue + kMainFont, 0},
        {"{b}{{", 5, kBlue, 0},
        {"{b}{{", 6, kBlue + "{", 1},
    };
    for (const Case& c : cases)
        ExpectCompiled({c.source, c.drawn, c.visible}, c.capacity);

    // Until a tag is accepted the text is drawn as it stands, however long.
    const std::string source = "ab{b}c";
    const MarkupText early = Compile(source, 3);
    EXPECT_FALSE(early.compiled);
    EXPECT_EQ(Drawn(early), source);
}

TEST(MarkupCompile, TextsGrowingPastTheBufferAreCut) {
    std::string blues;
    for (int i = 0; i < 333; ++i)
        blues += "{b}";
    std::string blueCodes;
    for (int i = 0; i < 200; ++i)
        blueCodes += kBlue;
    const std::string x993(993, 'x');
    const std::string x980(980, 'x');
    const CompiledCase cases[] = {
        {blues, blueCodes, 0},  // 999 characters, 1665 bytes compiled
        {"{b}" + x993 + "{b}", kBlue + x993, 993},
        {"{b}" + x993 + "ab", kBlue + x993 + "ab", 995},  // exactly full
        {"{b}" + x993 + "abc", kBlue + x993 + "ab", 995},
        {"{b}{b}{b}" + x980 + "{MainFont}", kBlue + kBlue + kBlue + x980, 980},
    };
    for (const CompiledCase& c : cases) {
        ASSERT_LT(c.source.size(), kMarkupSourceLimit);
        ExpectCompiled(c);
        EXPECT_LE(Compile(c.source).Length(), kMarkupTextCapacity);
    }
}

}  // namespace
