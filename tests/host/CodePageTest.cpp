// The conversion of a manifest's texts into the installer's code page, byte
// for byte, with the refusals that must name the character and its place.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tools/pgrtool/CodePage.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

TEST(CodePage, ConvertsEveryCharacterTheCodePageHolds) {
    const struct {
        int codePage;
        const char* utf8;
        std::string expected;
    } cases[] = {
        {1252, "", ""},
        {1252, "plain ~ ASCII\x7f", "plain ~ ASCII\x7f"},
        {1252, "Café Latte.txt", "Caf\xe9 Latte.txt"},
        // 0x80 to 0x9F, where 1252 is not Latin-1.
        {1252, "€ ‰ Ÿ", "\x80 \x89 \x9f"},
        {1250, "Łódź", "\xa3\xf3\x64\x9f"},
        {1251, "Привет", "\xcf\xf0\xe8\xe2\xe5\xf2"},
        {874, "กข", "\xa1\xa2"},
    };
    for (const auto& c : cases) {
        CodePageConverter converter(c.codePage);
        EXPECT_EQ(converter.FromUtf8(c.utf8, "here"), c.expected) << c.codePage << ": " << c.utf8;
    }
}

TEST(CodePage, RefusesTextsItCannotConvertNamingThePlace) {
    const struct {
        int codePage;
        std::string text;
        const char* message;
    } cases[] = {
        {1252, "Łódź", "keys[12].value: \"Łódź\" holds \"Ł\" (U+0141), which code page 1252 cannot hold"},
        {1252, "ok 中文", "holds \"中\" (U+4E2D)"},
        {1252, "😀", "(U+1F600), which code page 1252"},
        {1251, "Café", "holds \"é\" (U+00E9), which code page 1251 cannot hold"},
        {1252, "Caf\xc3(", "keys[12].value: not valid UTF-8 at byte 3"},
        {1252, "\x80", "not valid UTF-8 at byte 0"},
        {1252, "ab\xc3", "not valid UTF-8 at byte 2"},
        {1252, "\xe2\x82", "not valid UTF-8 at byte 0"},
        {1252, "\xc0\xaf", "not valid UTF-8 at byte 0"},          // an overlong '/'
        {1252, "\xed\xa0\x80", "not valid UTF-8 at byte 0"},      // a surrogate
        {1252, "\xf4\x90\x80\x80", "not valid UTF-8 at byte 0"},  // past U+10FFFF
        {1252, "\xf8\x88\x80\x80\x80", "not valid UTF-8 at byte 0"},
    };
    for (const auto& c : cases) {
        CodePageConverter converter(c.codePage);
        try {
            converter.FromUtf8(c.text, "keys[12].value");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const PgrBuildError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

// 932 and the other double-byte code pages are refused too: a second byte may
// be '\', which the installer would read as a separator.
TEST(CodePage, RefusesCodePagesItCannotGive) {
    for (const int64_t codePage : {0LL, 437LL, 932LL, 1249LL, 1259LL, 65001LL, -1252LL, 1252LL + (1LL << 32)}) {
        try {
            CodePageConverter converter(codePage);
            ADD_FAILURE() << "accepted: " << codePage;
        } catch (const PgrBuildError& e) {
            EXPECT_EQ(std::string(e.what()), "code page " + std::to_string(codePage) +
                                                 " is not supported; a manifest may name 874, 1250, 1251, 1252, "
                                                 "1253, 1254, 1255, 1256, 1257, 1258");
        }
    }
}

}  // namespace
