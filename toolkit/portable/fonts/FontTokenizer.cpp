#include "toolkit/portable/fonts/FontTokenizer.h"

#include <climits>
#include <cstring>
#include <utility>

#include "toolkit/portable/options/KeywordSearch.h"

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsOperatorCharacter(char c) {
    return c != '\0' && std::strchr("#$%&()*+,-./:;<=>@[]^{|}~", c) != nullptr;
}

bool StartsComment(const char* at) {
    return at[0] == '/' && (at[1] == '*' || at[1] == '/');
}

bool InWord(const char* at) {
    return IsLetter(*at) || IsDigit(*at) || *at == '_';
}

// A comment ends an operator run: "+/* why */bold" is still "+" before BOLD.
bool InOperatorRun(const char* at) {
    return IsOperatorCharacter(*at) && !StartsComment(at);
}

// The digit's value in any base up to 16, -1 for anything else. The text is
// upper case already.
int DigitValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Saturates instead of overflowing, so that a size can always be negated
// into a GDI height.
int MultiplyAdd(int value, int factor, int addend) {
    if (value > (INT_MAX - addend) / factor)
        return INT_MAX;
    return value * factor + addend;
}

bool ParseDigits(const std::string& digits, int base, int& value) {
    if (digits.empty())
        return false;
    value = 0;
    for (char c : digits) {
        const int digit = DigitValue(c);
        if (digit < 0 || digit >= base)
            return false;
        value = MultiplyAdd(value, base, digit);
    }
    return true;
}

// Suffixes are read from the end, "L" and "U" first, then "K": "13KL" is
// 13 * 1024, "13LK" is garbage. "0x" wins over a trailing "B", which is a
// hexadecimal digit ("0x1B" is 27).
bool ParseInteger(std::string digits, int& value) {
    while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'U'))
        digits.pop_back();
    int factor = 1;
    if (!digits.empty() && digits.back() == 'K') {
        factor = 1024;
        digits.pop_back();
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && digits[1] == 'X') {
        base = 16;
        digits.erase(0, 2);
    } else if (digits.size() > 1 && digits.back() == 'B') {
        base = 2;
        digits.pop_back();
    }
    if (!ParseDigits(digits, base, value))
        return false;
    value = MultiplyAdd(value, factor, 0);
    return true;
}

bool AllDigits(const std::string& text, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
        if (!IsDigit(text[i]))
            return false;
    }
    return true;
}

// Decimal digits, ".", decimal digits (possibly none). The value is never
// needed, only where the token ends.
bool IsReal(const std::string& text) {
    const size_t dot = text.find('.');
    return AllDigits(text, 0, dot) && AllDigits(text, dot + 1, text.size());
}

const TokenTableEntry* MatchKeyword(const TokenTable& keywords, const std::string& word) {
    for (size_t i = 0; i < keywords.count; ++i) {
        const char* keyword = keywords.entries[i].text;
        if (*keyword == '!')
            ++keyword;
        if (EqualFolded(keyword, word.c_str()))
            return &keywords.entries[i];
    }
    return nullptr;
}

}  // namespace

std::string UpperCaseLetters(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

CToken::CToken(const char* text, TokenTable keywords, TokenTable operators, TokenErrorOutput errorOutput)
    : m_pText(text ? text : ""),
      m_nLength(std::strlen(m_pText)),
      m_stKeywords(keywords),
      m_stOperators(operators),
      m_stErrorOutput(std::move(errorOutput)) {}

Token CToken::Read() {
    if (m_bPushedBack) {
        m_bPushedBack = false;
        return m_stLast;
    }
    m_stLast = ReadFresh();
    return m_stLast;
}

Token CToken::ReadFresh() {
    if (!SkipBetweenTokens())
        return Cut(TokenKind::UnterminatedComment, m_nPosition, m_nLength);
    const size_t start = m_nPosition;
    const char c = m_pText[start];
    if (c == '\0')
        return Cut(TokenKind::End, start, start);
    if (IsLetter(c) || c == '_')
        return ReadWord(start);
    if (IsDigit(c))
        return ReadNumber(start);
    if (IsOperatorCharacter(c))
        return ReadOperator(start);
    if (c == '"' || c == '\'')
        return ReadQuoted(start);
    // "!", "?", "\", "`" and DEL start no token at all.
    return BadToken(Cut(TokenKind::Word, start, start + 1), kTokenErrorBadToken);
}

// Returns false, at the comment's "/*", when a comment is never closed.
bool CToken::SkipBetweenTokens() {
    for (;;) {
        const char* at = m_pText + m_nPosition;
        const unsigned char c = static_cast<unsigned char>(*at);
        if (c == 0)
            return true;
        if (c <= ' ' || c >= 128) {
            ++m_nPosition;
        } else if (at[0] == '/' && at[1] == '/') {
            const char* lineEnd = std::strchr(at, '\n');
            m_nPosition = lineEnd ? static_cast<size_t>(lineEnd - m_pText) : m_nLength;
        } else if (at[0] == '/' && at[1] == '*') {
            const char* close = std::strstr(at + 2, "*/");
            if (!close)
                return false;
            m_nPosition = static_cast<size_t>(close - m_pText) + 2;
        } else {
            return true;
        }
    }
}

Token CToken::ReadWord(size_t start) {
    const size_t end = RunEnd(start, InWord);
    if (end - start > kMaxTokenLength)
        return Cut(TokenKind::TooLong, start, end);
    Token token = Cut(TokenKind::Word, start, end);
    if (const TokenTableEntry* keyword = MatchKeyword(m_stKeywords, token.text)) {
        token.kind = TokenKind::Keyword;
        token.id = keyword->token;
    }
    return token;
}

Token CToken::ReadNumber(size_t start) {
    size_t end = RunEnd(start, InWord);
    const bool real = m_pText[end] == '.';
    if (real)
        end = RunEnd(end + 1, InWord);
    if (end - start > kMaxTokenLength)
        return Cut(TokenKind::TooLong, start, end);
    Token token = Cut(real ? TokenKind::Real : TokenKind::Integer, start, end);
    const bool valid = real ? IsReal(token.text) : ParseInteger(token.text, token.value);
    return valid ? token : BadToken(token, kTokenErrorNotNumber);
}

// Only the matched prefix is taken, so "+," gives plus and then comma. A run
// that no entry begins is one bad token as a whole.
Token CToken::ReadOperator(size_t start) {
    const size_t end = RunEnd(start, InOperatorRun);
    for (size_t i = 0; i < m_stOperators.count; ++i) {
        const TokenTableEntry& entry = m_stOperators.entries[i];
        const size_t length = std::strlen(entry.text);
        // An empty entry would match without taking a character and never
        // let reading move on.
        if (length > 0 && length <= end - start && std::strncmp(m_pText + start, entry.text, length) == 0) {
            Token token = Cut(TokenKind::Operator, start, start + length);
            token.id = entry.token;
            return token;
        }
    }
    if (end - start > kMaxTokenLength)
        return Cut(TokenKind::TooLong, start, end);
    return BadToken(Cut(TokenKind::Word, start, end), kTokenErrorBadToken);
}

// Quotes have no escapes here: nothing reads what they hold.
Token CToken::ReadQuoted(size_t start) {
    const char quote = m_pText[start];
    size_t end = start + 1;
    while (m_pText[end] != '\0' && m_pText[end] != quote)
        ++end;
    if (m_pText[end] != '\0')
        ++end;
    return Cut(TokenKind::Quoted, start, end);
}

Token CToken::Cut(TokenKind kind, size_t start, size_t end) {
    m_nPosition = end;
    Token token;
    token.kind = kind;
    token.start = start;
    token.text = UpperCaseLetters(std::string(m_pText + start, end - start));
    return token;
}

Token CToken::BadToken(Token token, const char* message) const {
    if (m_stErrorOutput)
        m_stErrorOutput(message);
    token.kind = TokenKind::Word;
    token.value = 0;
    return token;
}

size_t CToken::RunEnd(size_t from, bool (*belongs)(const char* at)) const {
    size_t end = from;
    while (belongs(m_pText + end))
        ++end;
    return end;
}
