#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/portable/fonts/FontTokenizer.h"

namespace {

enum : int { kBold = 1, kName, kComma, kPlus, kEquals, kLessEqual, kLess };

const TokenTableEntry kKeywords[] = {{"!BOLD", kBold}, {"!N", kName}, {"!NAME", kName}};
// "<=" stands before "<" and "=" before "<=": the order, not the length,
// decides which entry a run begins with.
const TokenTableEntry kOperators[] = {
    {",", kComma}, {"+", kPlus}, {"=", kEquals}, {"<=", kLessEqual}, {"<", kLess},
};

CToken MakeReader(const char* text, std::vector<std::string>* errors = nullptr) {
    TokenErrorOutput output;
    if (errors)
        output = [errors](const char* message) { errors->push_back(message); };
    return CToken(text, MakeTokenTable(kKeywords), MakeTokenTable(kOperators), output);
}

std::string Describe(const Token& t) {
    const std::string at = "@" + std::to_string(t.start);
    switch (t.kind) {
    case TokenKind::End:
        return "end" + at;
    case TokenKind::Word:
        return "word:" + t.text + at;
    case TokenKind::Keyword:
        return "key" + std::to_string(t.id) + ":" + t.text + at;
    case TokenKind::Integer:
        return "int=" + std::to_string(t.value) + at;
    case TokenKind::Real:
        return "real:" + t.text + at;
    case TokenKind::Operator:
        return "op" + std::to_string(t.id) + ":" + t.text + at;
    case TokenKind::Quoted:
        return "quoted:" + t.text + at;
    case TokenKind::UnterminatedComment:
        return "open-comment" + at;
    case TokenKind::TooLong:
        return "too-long" + at;
    }
    return "?";
}

// Reads to the end token. The bound turns a reader that stops moving into a
// failure instead of a hang.
std::string Tokenize(CToken& reader) {
    std::string all;
    for (int i = 0; i < 1000; ++i) {
        const Token t = reader.Read();
        all += (all.empty() ? "" : " ") + Describe(t);
        if (t.kind == TokenKind::End)
            return all;
    }
    return all + " (no end)";
}

std::string Tokenize(const std::string& text) {
    CToken reader = MakeReader(text.c_str());
    return Tokenize(reader);
}

struct Case {
    std::string text;
    std::string tokens;
};

void ExpectTokens(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(Tokenize(c.text), c.tokens) << '"' << c.text << '"';
}

TEST(FontTokenizer, WordsAndKeywords) {
    ExpectTokens({
        {"", "end@0"},
        {"Arial", "word:ARIAL@0 end@5"},
        {"courier_new2 x", "word:COURIER_NEW2@0 word:X@13 end@14"},
        {"_a1", "word:_A1@0 end@3"},
        {"bold Bold bOLD", "key1:BOLD@0 key1:BOLD@5 key1:BOLD@10 end@14"},
        // Keywords match whole words only; the table's "!" is not part of them.
        {"bolder bol", "word:BOLDER@0 word:BOL@7 end@10"},
        {"n name nam", "key2:N@0 key2:NAME@2 word:NAM@7 end@10"},
        {"a2b", "word:A2B@0 end@3"},
    });
}

TEST(FontTokenizer, SkippedCharactersAndComments) {
    ExpectTokens({
        {" \t\r\n", "end@4"},
        {"\x01" "a\x1f" "b", "word:A@1 word:B@3 end@4"},
        // Bytes from 128 up separate tokens like blanks.
        {"Caf\xe9,\xff" "b", "word:CAF@0 op3:,@4 word:B@6 end@7"},
        {"a/*x,y*/b", "word:A@0 word:B@8 end@9"},
        {"a/**/b", "word:A@0 word:B@5 end@6"},
        {"a/*/b*/c", "word:A@0 word:C@7 end@8"},
        {"a//x,y\nb", "word:A@0 word:B@7 end@8"},
        {"a // x", "word:A@0 end@6"},
        {"/*a*//*b*/,", "op3:,@10 end@11"},
        {"a /* b", "word:A@0 open-comment@2 end@6"},
        {"/*", "open-comment@0 end@2"},
    });
}

TEST(FontTokenizer, Numbers) {
    ExpectTokens({
        {"13", "int=13@0 end@2"},
        {"007", "int=7@0 end@3"},
        {"0x1F 0X1f", "int=31@0 int=31@5 end@9"},
        {"101b 0B", "int=5@0 int=0@5 end@7"},
        {"0x1b", "int=27@0 end@4"},  // "0x" comes first: b is a hex digit
        {"2k 0x2K 10bk", "int=2048@0 int=2048@3 int=2048@8 end@12"},
        {"13L 13u 13UL 3kL", "int=13@0 int=13@4 int=13@8 int=3072@13 end@16"},
        // Values saturate so that they can always be negated.
        {"99999999999", "int=2147483647@0 end@11"},
        {"2097152k", "int=2147483647@0 end@8"},
        {"0x80000000", "int=2147483647@0 end@10"},
        {"13.5 13. 0.25,", "real:13.5@0 real:13.@5 real:0.25@9 op3:,@13 end@14"},
        {"13,7", "int=13@0 op3:,@2 int=7@3 end@4"},
    });
}

TEST(FontTokenizer, OperatorRunsReadTheirRestAgain) {
    ExpectTokens({
        {",+=", "op3:,@0 op4:+@1 op5:=@2 end@3"},
        {",,,", "op3:,@0 op3:,@1 op3:,@2 end@3"},
        {"<=", "op6:<=@0 end@2"},
        {"=<", "op5:=@0 op7:<@1 end@2"},
        {"<<=", "op7:<@0 op6:<=@1 end@3"},
        {"+bold", "op4:+@0 key1:BOLD@1 end@5"},
        // A comment ends the run and is skipped before the rest is read.
        {"+/*c*/=", "op4:+@0 op5:=@6 end@7"},
        {"+//c", "op4:+@0 end@4"},
    });
}

TEST(FontTokenizer, QuotesAndOverlongTokensAreTheirOwnKinds) {
    const std::string longest(kMaxTokenLength, 'a');
    const std::string tooLong = longest + "a";
    ExpectTokens({
        {"\"Arial\",13", "quoted:\"ARIAL\"@0 op3:,@7 int=13@8 end@10"},
        {"'b'", "quoted:'B'@0 end@3"},
        {"\"a'b\"", "quoted:\"A'B\"@0 end@5"},
        {"\"open,13", "quoted:\"OPEN,13@0 end@8"},
        {longest, "word:" + std::string(kMaxTokenLength, 'A') + "@0 end@200"},
        {tooLong, "too-long@0 end@201"},
        {"x " + tooLong + " y", "word:X@0 too-long@2 word:Y@204 end@205"},
        {std::string(201, '1'), "too-long@0 end@201"},
        {"1." + std::string(199, '5'), "too-long@0 end@201"},
        {std::string(201, '#'), "too-long@0 end@201"},
    });
    // A long run of operators that match is many short tokens.
    const std::string commas(300, ',');
    CToken reader = MakeReader(commas.c_str());
    for (size_t i = 0; i < commas.size(); ++i)
        ASSERT_EQ(Describe(reader.Read()), "op3:,@" + std::to_string(i));
    EXPECT_EQ(reader.Read().kind, TokenKind::End);
}

TEST(FontTokenizer, ErrorsReachTheOutputAndGiveWords) {
    const std::string badToken = "[L1/W1-ERR_TOKEN_BAD_TOKEN] Couldn't resolve input stream (i.e. bad token).";
    const std::string notNumber = "[L1/W1-ERR_TOKEN_NOT_NUMBER] Number has garbage in it.";
    struct ErrorCase {
        const char* text;
        const char* tokens;
        std::vector<std::string> errors;
    } cases[] = {
        {"bold,13", "key1:BOLD@0 op3:,@4 int=13@5 end@7", {}},
        {"#", "word:#@0 end@1", {badToken}},
        {"a#$b", "word:A@0 word:#$@1 word:B@3 end@4", {badToken}},
        {"#+bold", "word:#+@0 key1:BOLD@2 end@6", {badToken}},  // no entry begins "#+"
        {"/", "word:/@0 end@1", {badToken}},
        {"-5", "word:-@0 int=5@1 end@2", {badToken}},
        {"!bold", "word:!@0 key1:BOLD@1 end@5", {badToken}},
        {"a?\\`\x7f", "word:A@0 word:?@1 word:\\@2 word:`@3 word:\x7f@4 end@5",
         {badToken, badToken, badToken, badToken}},
        {"13x", "word:13X@0 end@3", {notNumber}},
        {"0x 0xk 0xg", "word:0X@0 word:0XK@3 word:0XG@7 end@10", {notNumber, notNumber, notNumber}},
        {"12b 13lk 1_0", "word:12B@0 word:13LK@4 word:1_0@9 end@12", {notNumber, notNumber, notNumber}},
        {"1.5x 0x1.5", "word:1.5X@0 word:0X1.5@5 end@10", {notNumber, notNumber}},
        {"13x,bold", "word:13X@0 op3:,@3 key1:BOLD@4 end@8", {notNumber}},
    };
    for (const ErrorCase& c : cases) {
        std::vector<std::string> errors;
        CToken reader = MakeReader(c.text, &errors);
        EXPECT_EQ(Tokenize(reader), c.tokens) << '"' << c.text << '"';
        EXPECT_EQ(errors, c.errors) << '"' << c.text << '"';
    }
    EXPECT_STREQ(kTokenErrorBadToken, badToken.c_str());
    EXPECT_STREQ(kTokenErrorNotNumber, notNumber.c_str());
}

TEST(FontTokenizer, OneTokenCanBePushedBack) {
    std::vector<std::string> errors;
    CToken reader = MakeReader("a 13x +=", &errors);
    EXPECT_EQ(Describe(reader.Read()), "word:A@0");
    reader.PushBack();
    EXPECT_EQ(Describe(reader.Read()), "word:A@0");
    EXPECT_EQ(Describe(reader.Read()), "word:13X@2");
    // Pushing back twice keeps one token, and its error is not reported again.
    reader.PushBack();
    reader.PushBack();
    EXPECT_EQ(Describe(reader.Read()), "word:13X@2");
    EXPECT_EQ(errors.size(), 1u);
    // A pushed-back operator does not disturb the rest of its run.
    EXPECT_EQ(Describe(reader.Read()), "op4:+@6");
    reader.PushBack();
    EXPECT_EQ(Describe(reader.Read()), "op4:+@6");
    EXPECT_EQ(Describe(reader.Read()), "op5:=@7");
    EXPECT_EQ(Describe(reader.Read()), "end@8");
    reader.PushBack();
    EXPECT_EQ(Describe(reader.Read()), "end@8");
    EXPECT_EQ(Describe(reader.Read()), "end@8");
}

TEST(FontTokenizer, NullTextAndEmptyTablesReadSafely) {
    CToken none(nullptr, MakeTokenTable(kKeywords), MakeTokenTable(kOperators));
    EXPECT_EQ(Tokenize(none), "end@0");
    // Without tables every word is plain and every operator run a bad token.
    CToken bare("bold,+", TokenTable{nullptr, 0}, TokenTable{nullptr, 0});
    EXPECT_EQ(Tokenize(bare), "word:BOLD@0 word:,+@4 end@6");
    // An empty operator entry must not match without taking a character.
    const TokenTableEntry withEmpty[] = {{"", kComma}, {"+", kPlus}};
    CToken empty("#+", TokenTable{nullptr, 0}, MakeTokenTable(withEmpty));
    EXPECT_EQ(Tokenize(empty), "word:#+@0 end@2");
}

}  // namespace
