#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/portable/options/ColourTable.h"
#include "toolkit/portable/text/Markup.h"
#include "toolkit/portable/text/MarkupReader.h"

namespace {

using namespace std::string_literals;

std::string Describe(const MarkupItem& item) {
    switch (item.kind) {
        case MarkupItemKind::Text:
            return "text '" + std::string(item.bytes, item.length) + "'";
        case MarkupItemKind::LineFeed:
            return "line feed";
        case MarkupItemKind::Code:
            break;
    }
    char description[64];
    std::snprintf(description, sizeof(description), "code %d colour %06X font %08X",
                  static_cast<int>(item.code), static_cast<unsigned>(item.colour),
                  static_cast<unsigned>(item.font));
    return description;
}

using Items = std::vector<std::string>;

// Reads the bytes, checking that every item lies inside them and that the
// items follow one another without gaps.
Items Read(const std::string& bytes, size_t length) {
    Items items;
    CMarkupReader reader(bytes.data(), length);
    const char* expected = bytes.data();
    MarkupItem item;
    while (reader.Next(item)) {
        EXPECT_EQ(item.bytes, expected);
        EXPECT_GT(item.length, 0u);
        EXPECT_LE(item.bytes + item.length, bytes.data() + length);
        expected = item.bytes + item.length;
        items.push_back(Describe(item));
    }
    EXPECT_FALSE(reader.Next(item));  // the end stays the end
    return items;
}

Items Read(const std::string& bytes) {
    return Read(bytes, bytes.size());
}

TEST(MarkupReader, ReadsBackWhatTheCompilerWrote) {
    const CColourTable colours;
    const FontLookup fonts = [](const char* name) -> std::optional<FontReference> {
        if (std::string(name) == "MainFont")
            return 0x80FF0001u;
        return std::nullopt;
    };
    const MarkupText text = CompileMarkup(
        "{b}Blue{/} normal\n\n{lbg=Red}{bg=Yellow}a{italic}{bold}{MainFont}{Bl}z{\\}", colours, fonts);
    ASSERT_TRUE(text.compiled);
    EXPECT_EQ(Read(text.compiledText), (Items{
                                           "code 1 colour FF0000 font 00000000",
                                           "text 'Blue'",
                                           "code 8 colour 000000 font 00000000",
                                           "text ' normal'",
                                           "line feed",
                                           "line feed",
                                           "code 2 colour 0000FF font 00000000",
                                           "code 3 colour 00FFFF font 00000000",
                                           "text 'a'",
                                           "code 4 colour 000000 font 00000000",
                                           "code 5 colour 000000 font 00000000",
                                           "code 7 colour 000000 font 80FF0001",
                                           "code 1 colour 000000 font 00000000",
                                           "text 'z'",
                                           "code 8 colour 000000 font 00000000",
                                       }));
}

// Every prefix of a text that ends in a code: the cut-off code is ignored and
// nothing behind the given length is read (the whole code is there to be
// found by a reader that looks too far).
TEST(MarkupReader, IgnoresATruncatedCodeAtTheEnd) {
    struct Case {
        std::string bytes;
        std::string whole;  // the code when it is all there
    } cases[] = {
        {"ab\x01\x01\x10\x20\x30"s, "code 1 colour 302010 font 00000000"},
        {"ab\x01\x02\x10\x20\x30"s, "code 2 colour 302010 font 00000000"},
        {"ab\x01\x03\x00\x00\x00"s, "code 3 colour 000000 font 00000000"},
        {"ab\x01\x07\x01\x02\x03\x04"s, "code 7 colour 000000 font 01020304"},
        {"ab\x01\x04"s, "code 4 colour 000000 font 00000000"},
        {"ab\x01\x05"s, "code 5 colour 000000 font 00000000"},
        {"ab\x01\x08"s, "code 8 colour 000000 font 00000000"},
    };
    for (const Case& c : cases) {
        for (size_t length = 3; length < c.bytes.size(); ++length)
            EXPECT_EQ(Read(c.bytes, length), Items{"text 'ab'"}) << c.whole << ", " << length << " bytes";
        EXPECT_EQ(Read(c.bytes), (Items{"text 'ab'", c.whole}));
    }
}

TEST(MarkupReader, SplitsRunsAtLineFeedsAndCodes) {
    struct Case {
        std::string bytes;
        Items items;
    } cases[] = {
        {"", {}},
        {"plain", {"text 'plain'"}},
        {"a\nb\n", {"text 'a'", "line feed", "text 'b'", "line feed"}},
        {"\x01\x08\x01\x08"s, {"code 8 colour 000000 font 00000000", "code 8 colour 000000 font 00000000"}},
        // An introducer before a byte that is no code is drawn as a character.
        {"a\x01\x06" "b\nc"s, {"text 'a'", "text '\x01\x06" "b'", "line feed", "text 'c'"}},
        {"\x01" "Z\x01\x08"s, {"text '\x01Z'", "code 8 colour 000000 font 00000000"}},
        {"\x01\x00x"s, {"text '\x01\x00x'"s}},
        {"\x01\x01\x01\x01\x01"s, {"code 1 colour 010101 font 00000000"}},  // introducers as payload
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(c.bytes), c.items) << c.bytes;
}

TEST(MarkupReader, ReadsNothingFromNull) {
    CMarkupReader reader(nullptr, 10);
    MarkupItem item;
    EXPECT_FALSE(reader.Next(item));
}

}  // namespace
