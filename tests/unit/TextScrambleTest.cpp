#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "InstallerTexts.h"
#include "install/portable/TextTransform.h"
#include "install/portable/Unscramble.h"
#include "tools/pgrtool/Scramble.h"

namespace {

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (uint8_t& b : v)
        b = static_cast<uint8_t>(rng());
    return v;
}

std::vector<uint8_t> Descramble(const std::string& packed, uint16_t key) {
    std::vector<uint8_t> out(kTextScratchSize + 16, 0xEE);
    const int32_t n = DescrambleText(packed.c_str(), out.data(), static_cast<int32_t>(packed.size()) + 1, key);
    out.resize(static_cast<size_t>(n));
    return out;
}

TEST(TextScramble, RoundTripsEveryLengthAndKey) {
    for (size_t length : {1, 2, 3, 4, 8, 9, 10, 11, 12, 22, 23, 100, 499, 500}) {
        for (uint16_t key : {0x0000, 0x0001, 0x87A7, 0xFFFF}) {
            const std::vector<uint8_t> plain = RandomBytes(length, static_cast<uint32_t>(length * 65537 + key));
            const std::string packed = ScrambleText(plain, key);
            EXPECT_EQ(packed.size(), (8 * length + 5) / 6) << length;
            for (char c : packed)
                ASSERT_TRUE(c >= '0' && c <= 'o') << "character " << int(c);
            EXPECT_EQ(Descramble(packed, key), plain) << "length " << length << " key " << key;
        }
    }
}

TEST(TextScramble, CharacterCountsGiveWholeBytesOnly) {
    struct Case {
        size_t characters;
        int32_t bytes;
    } cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 3}, {12, 9}};
    for (const Case& c : cases) {
        const std::string input(c.characters, 'A');
        uint8_t out[16];
        EXPECT_EQ(DescrambleText(input.c_str(), out, static_cast<int32_t>(c.characters) + 1, 7), c.bytes)
            << c.characters << " characters";
    }
}

TEST(TextScramble, KeyMatters) {
    const std::vector<uint8_t> plain = {'O', 'r', 'v', 'a', 'l', 'i', 's', 0};
    const std::string packed = ScrambleText(plain, 100);
    EXPECT_NE(Descramble(packed, 101), plain);
    EXPECT_NE(ScrambleText(plain, 101), packed);
}

TEST(TextScramble, OverlongInputIsCutAtTheScratchBuffer) {
    // 1000 characters would unpack to 750 bytes.
    const std::string input(1000, 'W');
    std::vector<uint8_t> out(kTextScratchSize + 64, 0xEE);
    EXPECT_EQ(DescrambleText(input.c_str(), out.data(), 1001, 1), kTextScratchSize);
    for (size_t i = kTextScratchSize; i < out.size(); i++)
        ASSERT_EQ(out[i], 0xEE) << "written past the cut at " << i;
}

TEST(TextScramble, ProgramTextsUnscrambleToTheirPlainForm) {
    EXPECT_STREQ(UnscrambleText(Texts::InstallDataCorruptionTitle), "Install Data Corruption");
    EXPECT_STREQ(UnscrambleText(Texts::InstallDataNotContiguous),
                 "Install Data is Not Contiguous or is Corrupt\n\nNON_RECOVERABLE ERROR\n\nABORT PROGRAM NOW");
}

TEST(UnscrambleRing, ResultsFollowEachOtherAndWrapAfterOffset2000) {
    const std::string text = "a text of twenty-six bytes";  // 27 with its zero
    const std::string packed = ScrambleProgramText(text);
    const char* previous = UnscrambleText(packed.c_str());
    const char* base = nullptr;
    for (int i = 0; i < 300 && !base; i++) {
        const char* next = UnscrambleText(packed.c_str());
        ASSERT_STREQ(next, text.c_str());
        if (next < previous)
            base = next;  // wrapped to offset 0
        else
            ASSERT_EQ(next, previous + text.size() + 1);
        previous = next;
    }
    ASSERT_NE(base, nullptr) << "the ring never wrapped";
    // Walk a whole cycle from offset 0: the wrap comes exactly when a result
    // ends past offset 2000.
    const char* start = base;
    for (int i = 0; i < 100; i++) {
        const char* next = UnscrambleText(packed.c_str());
        const ptrdiff_t end = (start - base) + static_cast<ptrdiff_t>(text.size()) + 1;
        ASSERT_EQ(next, end > kUnscrambleRingWrap ? base : start + text.size() + 1) << "step " << i;
        start = next;
    }
}

TEST(UnscrambleRing, TwoResultsUsedTogetherStayIntact) {
    for (int i = 0; i < 200; i++) {
        const char* message = UnscrambleText(Texts::InstallDataNotContiguous);
        const char* title = UnscrambleText(Texts::InstallDataCorruptionTitle);
        ASSERT_STREQ(title, "Install Data Corruption");
        ASSERT_EQ(strncmp(message, "Install Data is Not Contiguous", 30), 0) << "round " << i;
    }
}

}  // namespace
