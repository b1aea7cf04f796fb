#include "tools/pgrtool/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "tools/pgrtool/PgrBuilder.h"

namespace {

// Windows' single-byte ANSI code pages. The double-byte ones (932, 936, 949,
// 950) are left out: their second bytes include '\', which the installer's
// byte-wise path code would take for a separator.
constexpr int kSupportedCodePages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

bool IsSupported(int64_t codePage) {
    return std::find(std::begin(kSupportedCodePages), std::end(kSupportedCodePages), codePage) !=
           std::end(kSupportedCodePages);
}

std::string SupportedList() {
    std::string list;
    for (const int codePage : kSupportedCodePages)
        list += (list.empty() ? "" : ", ") + std::to_string(codePage);
    return list;
}

struct Utf8Character {
    char32_t codePoint;
    size_t length;  // 0 when the bytes are not UTF-8
};

constexpr Utf8Character kNotUtf8{0, 0};

// Strict: overlong forms, surrogates and code points past U+10FFFF are not
// UTF-8, and an overlong form could otherwise hide a '/' or a zero.
Utf8Character DecodeUtf8At(const std::string& text, size_t at) {
    const auto lead = static_cast<uint8_t>(text[at]);
    if (lead < 0x80)
        return {lead, 1};
    size_t length;
    char32_t codePoint, smallest;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
        return kNotUtf8;
    }
    if (length > text.size() - at)
        return kNotUtf8;
    for (size_t i = 1; i < length; i++) {
        const auto next = static_cast<uint8_t>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return kNotUtf8;
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return kNotUtf8;
    return {codePoint, length};
}

std::string CodePointName(char32_t codePoint) {
    char name[16];
    snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

}  // namespace

CodePageConverter::CodePageConverter(int64_t codePage) : m_codePage(static_cast<int>(codePage)) {
    if (!IsSupported(codePage))
        throw PgrBuildError("code page " + std::to_string(codePage) + " is not supported; a manifest may name " +
                            SupportedList());
    m_iconv = iconv_open(("CP" + std::to_string(m_codePage)).c_str(), "UTF-8");
    if (m_iconv == reinterpret_cast<iconv_t>(-1)) {
        const int error = errno;
        throw PgrBuildError("cannot convert to code page " + std::to_string(m_codePage) + ": " + strerror(error));
    }
}

CodePageConverter::~CodePageConverter() { iconv_close(m_iconv); }

// One character at a time, so that a refusal names the character.
std::string CodePageConverter::FromUtf8(const std::string& text, const std::string& where) {
    std::string converted;
    for (size_t at = 0; at < text.size();) {
        const Utf8Character c = DecodeUtf8At(text, at);
        if (c.length == 0)
            throw PgrBuildError(where + ": not valid UTF-8 at byte " + std::to_string(at));
        const std::string character = text.substr(at, c.length);
        if (!AppendConverted(character, converted))
            throw PgrBuildError(where + ": \"" + text + "\" holds \"" + character + "\" (" +
                                CodePointName(c.codePoint) + "), which code page " + std::to_string(m_codePage) +
                                " cannot hold");
        at += c.length;
    }
    return converted;
}

bool CodePageConverter::AppendConverted(std::string character, std::string& converted) {
    char* in = character.data();
    size_t inLeft = character.size();
    // Room for a base letter with its combining marks, the most one character
    // becomes in these code pages.
    char out[8];
    char* outEnd = out;
    size_t outLeft = sizeof out;
    if (iconv(m_iconv, &in, &inLeft, &outEnd, &outLeft) == static_cast<size_t>(-1))
        return false;
    converted.append(out, outEnd);
    return true;
}
