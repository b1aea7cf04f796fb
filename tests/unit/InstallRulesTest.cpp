#include <gtest/gtest.h>

#include <optional>

#include <string>
#include <vector>

#include "install/portable/DocumentLines.h"
#include "install/portable/FreeSpaceRule.h"
#include "install/portable/ProbeSse.h"
#include "install/portable/SystemCheckRules.h"

namespace {

TEST(SystemChecks, SseProbeDecidesTheQuestion) {
    const struct {
        int32_t probe;
        SseVerdict verdict;
    } cases[] = {
        {-1, SseVerdict::Unverified},
        {0, SseVerdict::NotSupported},
        {kSsePresent, SseVerdict::NotSupported},  // SSE without SSE2
        {kSse2Present, SseVerdict::Supported},
        {kSsePresent | kSse2Present, SseVerdict::Supported},
        {-2, SseVerdict::NotSupported},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JudgeSse(c.probe), c.verdict) << c.probe;
}

TEST(SystemChecks, ProbeFindsSse2OnTheMachinesWeBuildFor) {
    // Every processor that runs x86-64 code has both; a 32-bit build on one
    // of them says so too.
    EXPECT_EQ(ProbeSse(), kSsePresent | kSse2Present);
    EXPECT_EQ(JudgeSse(ProbeSse()), SseVerdict::Supported);
}

TEST(SystemChecks, VersionWordNamesTheSystem) {
    const struct {
        uint32_t version;  // as GetVersion gives it: bit 31 set outside the NT family
        WindowsFamily family;
    } cases[] = {
        {0x0A280105, WindowsFamily::Accepted},  // XP
        {0x08930005, WindowsFamily::Accepted},  // 2000
        {0x17700006, WindowsFamily::Accepted},  // Vista, and later systems without a manifest
        {0x80000006, WindowsFamily::Accepted},  // major 6 whatever bit 31 says
        {0x80000005, WindowsFamily::Unknown},   // major 5 outside the NT family
        {0x05650004, WindowsFamily::NT},        // NT 4.0
        {0x00000003, WindowsFamily::NT},        // NT 3.51
        {0x0000000A, WindowsFamily::NT},        // a real major 10
        {0xC0000A04, WindowsFamily::Win9x},     // 98
        {0x80000003, WindowsFamily::Win32s},
        {0x80000007, WindowsFamily::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JudgeWindowsVersion(c.version), c.family) << std::hex << c.version;
}

TEST(FreeSpace, RequirementsReadLikeAtoi) {
    const struct {
        const char* value;
        int64_t megabytes;
    } cases[] = {
        {"250", 250},        {"  42MB", 42},  {"+7", 7},      {"-5", -5},
        {"abc", 0},          {"", 0},         {nullptr, 0},   {"2147483647", 2147483647},
        {"99999999999", 2147483647},          {"-99999999999", -2147483648LL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RequiredMegabytes(c.value), c.megabytes) << (c.value ? c.value : "(missing)");
}

TEST(FreeSpace, FreeMegabytesTruncate) {
    EXPECT_EQ(FreeMegabytes(1048575u), 0);
    EXPECT_EQ(FreeMegabytes(3u * 1048576u + 1048575u), 3);
    EXPECT_EQ(FreeMegabytes(uint64_t{1} << 50), int64_t{1} << 30);
    EXPECT_EQ(FreeMegabytes(std::nullopt), std::nullopt);
}

TEST(FreeSpace, BothChecksInOrderStrictlyLess) {
    const std::optional<int64_t> unknown;
    const struct {
        int64_t r1;
        std::optional<int64_t> installFree;
        int64_t r2;
        std::optional<int64_t> secondFree;
        bool enough;
    } cases[] = {
        {100, 100, 10, 10, true},   // exactly equal passes
        {100, 99, 0, 1000, false},  // check 1 short
        {100, 500, 10, 9, false},   // R1 met, R2 not
        {0, 0, 0, 0, true},         // non-numeric requirements are 0 MB
        {-5, 0, 0, 0, true},
        {100, unknown, 10, 50, true},  // a drive the system cannot tell about
        {100, 500, 10, unknown, true},
        {100, unknown, 10, 5, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FreeSpaceSuffices(c.r1, c.installFree, c.r2, c.secondFree), c.enough)
            << c.r1 << " " << c.r2;
}

}  // namespace

namespace {

std::vector<std::string> Pieces(const std::string& text) {
    return DocumentPieces(text.data(), text.size());
}

TEST(WelcomeDocument, CarriageReturnsEndLines) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string text;
        Lines pieces;
    } cases[] = {
        {"One\r\nTwo\r\nlast", {"One\n", "Two\n", "last"}},
        {"One\r\nTwo\r\n", {"One\n", "Two\n"}},
        {"Lone\rXnext", {"Lone\n", "next"}},  // a lone CR swallows the next character
        {"\r\n\r\n", {"\n", "\n"}},
        {"no line ends", {"no line ends"}},
        {"LF\nonly\r\n", {"LF\nonly\n"}},
        {"", {}},
        {std::string("stops\r\nat\0NUL\r\n", 14), {"stops\n", "at"}},
        {"ends on CR\r", {"ends on CR\n"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pieces(c.text), c.pieces) << c.text;
}

TEST(WelcomeDocument, OverlongLineGoesOutInPieces) {
    const std::string line(kDocumentLineLimit * 2 + 5, 'x');
    const std::vector<std::string> pieces = Pieces(line + "\r\nnext");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0], std::string(kDocumentLineLimit, 'x'));
    EXPECT_EQ(pieces[1], std::string(kDocumentLineLimit, 'x'));
    EXPECT_EQ(pieces[2], std::string(5, 'x') + "\n");
    EXPECT_EQ(pieces[3], "next");
    EXPECT_EQ(Pieces(std::string(kDocumentLineLimit, 'y') + "\r\n"),
              std::vector<std::string>{std::string(kDocumentLineLimit, 'y') + "\n"});
}

}  // namespace
