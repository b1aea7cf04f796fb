#include <gtest/gtest.h>

#include <string>

#include "tools/pgrtool/PgrBuilder.h"
#include "tools/pgrtool/TextTable.h"

namespace {

TEST(TextTable, ParsesIdentifiersAndEscapes) {
    const auto texts = ParseTextTable(
        "# comment\n"
        "\n"
        "Title \"Install Data Corruption\"\n"
        "  Message\t\"a\\n\\nb \\\"q\\\" c:\\\\d \\x7e\"\r\n");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], TextTableEntry("Title", "Install Data Corruption"));
    EXPECT_EQ(texts[1], TextTableEntry("Message", "a\n\nb \"q\" c:\\d ~"));
}

TEST(TextTable, RejectsMalformedLinesNamingTheLine) {
    struct Case {
        const char* table;
        const char* message;
    } cases[] = {
        {"A \"x\"\nA \"y\"\n", "line 2: A is defined twice"},
        {"1A \"x\"\n", "line 1: \"1A\" is not an identifier"},
        {"A x\n", "line 1: expected a quoted text"},
        {"A\n", "line 1: expected a quoted text"},
        {"A \"open\n", "line 1: the text has no closing quote"},
        {"A \"x\" y\n", "line 1: unexpected characters"},
        {"A \"\\q\"\n", "line 1: unknown escape"},
        {"A \"\\x00\"\n", "line 1: \\x needs two hex digits"},
        {"A \"\\xg1\"\n", "line 1: \\x needs two hex digits"},
    };
    for (const Case& c : cases) {
        try {
            ParseTextTable(c.table);
            ADD_FAILURE() << "accepted: " << c.table;
        } catch (const PgrBuildError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(TextTable, RefusesTextsTooLongForTheUnscrambler) {
    EXPECT_NO_THROW(ParseTextTable("A \"" + std::string(499, 'x') + "\""));
    EXPECT_THROW(ParseTextTable("A \"" + std::string(500, 'x') + "\""), PgrBuildError);
}

TEST(TextTable, HeaderEscapesBackslashesAndQuestionMarks) {
    // Scrambled characters include '\' (92) and '?' (63), which a C++ literal
    // must escape; the plain text itself never reaches the header.
    const std::string header = GenerateTextHeader({{"T", std::string(200, '\x5c')}, {"U", "UniquePlainWord"}});
    EXPECT_NE(header.find("inline constexpr char T[] = \""), std::string::npos);
    EXPECT_NE(header.find("inline constexpr char U[] = \""), std::string::npos);
    EXPECT_EQ(header.find("UniquePlainWord"), std::string::npos);
    for (size_t at = header.find('\\'); at != std::string::npos; at = header.find('\\', at + 2))
        EXPECT_TRUE(header[at + 1] == '\\' || header[at + 1] == '?') << header.substr(at, 2);
}

TEST(TextTable, FindsTheLongTextsAProgramHoldsPlain) {
    const std::vector<TextTableEntry> texts = {
        {"Long", "Install Data is Not Contiguous"},
        {"Short", "Orvalis"},  // too short to tell: stands in plain texts too
        {"Absent", "A text nobody wrote into it"},
        {"Exact", "exactly sixteen."},
    };
    const std::string program = std::string("MZ\0\0Install Data is Not Contiguous\0Orvalis\0exactly sixteen.", 59);
    EXPECT_EQ(FindPlainTexts(texts, program), (std::vector<std::string>{"Long", "Exact"}));
    EXPECT_TRUE(FindPlainTexts(texts, "").empty());
}

}  // namespace
