// A manifest is UTF-8, but the installer reads every name and value in the
// system's ANSI code page: texts are converted before they are stored, so a
// file named "Café" is created as "Café", not "CafÃ©". Host only (glibc's iconv).
#pragma once

#include <iconv.h>

#include <cstdint>
#include <string>

constexpr int kDefaultCodePage = 1252;

class CodePageConverter {
  public:
    // Throws PgrBuildError when codePage is not one the installer can be given.
    explicit CodePageConverter(int64_t codePage);
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;

    // Throws PgrBuildError, naming where, when text is not UTF-8 or holds a
    // character the code page lacks.
    std::string FromUtf8(const std::string& text, const std::string& where);

  private:
    // False when the code page lacks the character, given in UTF-8.
    bool AppendConverted(std::string character, std::string& converted);

    int m_codePage;
    iconv_t m_iconv;
};
