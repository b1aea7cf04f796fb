// The toolkit tokenizer, as far as font requests use it: words matched
// against a keyword table, numbers, operators matched against an operator
// table, comments skipped. The script engine's tokenizer reads more than
// this; font requests need none of it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

enum class TokenKind {
    End,
    Word,      // a plain word: no keyword, or a bad token handed on as text
    Keyword,   // id is the keyword table's token
    Integer,   // value holds it
    Real,      // a number continued by "."; read past, never evaluated
    Operator,  // id is the operator table's token
    // Outside the font text grammar. Telling them apart from plain words
    // lets a caller refuse the whole text instead of guessing at it.
    Quoted,               // a "..." string or '...' character literal, closed or not
    UnterminatedComment,  // "/*" without "*/"; it runs to the end of the text
    TooLong,              // a word, number or operator run over kMaxTokenLength characters
};

struct Token {
    TokenKind kind = TokenKind::End;
    int id = 0;
    int value = 0;     // saturated at INT_MAX, so a caller may negate it
    std::string text;  // the token's characters, a-z turned upper case
    size_t start = 0;  // offset of its first character (the text's length for End)
};

// Keyword entries carry a leading "!" that the matcher skips ("!BOLD").
struct TokenTableEntry {
    const char* text;
    int token;
};

struct TokenTable {
    const TokenTableEntry* entries;
    size_t count;
};

template <size_t N>
constexpr TokenTable MakeTokenTable(const TokenTableEntry (&entries)[N]) {
    return {entries, N};
}

// Receives the message of every error the tokenizer recovers from.
using TokenErrorOutput = std::function<void(const char* message)>;

inline constexpr char kTokenErrorBadToken[] =
    "[L1/W1-ERR_TOKEN_BAD_TOKEN] Couldn't resolve input stream (i.e. bad token).";
inline constexpr char kTokenErrorNotNumber[] = "[L1/W1-ERR_TOKEN_NOT_NUMBER] Number has garbage in it.";

// Longer tokens come back as TooLong rather than as text: no font
// font text needs one, and a caller can refuse it instead of cutting it.
constexpr size_t kMaxTokenLength = 200;

// Reads tokens from a NUL-terminated text, which must outlive the reader.
// Errors are not fatal: the offending characters come back as a plain word
// and reading goes on behind them.
class CToken {
  public:
    // A null text reads as empty. Without an error output errors are discarded.
    CToken(const char* text, TokenTable keywords, TokenTable operators, TokenErrorOutput errorOutput = {});

    Token Read();
    // The next Read returns the token the last Read returned. Only one token
    // is kept, so a second push-back before a Read changes nothing.
    void PushBack() { m_bPushedBack = true; }

  private:
    Token ReadFresh();
    bool SkipBetweenTokens();
    Token ReadWord(size_t start);
    Token ReadNumber(size_t start);
    Token ReadOperator(size_t start);
    Token ReadQuoted(size_t start);
    Token Cut(TokenKind kind, size_t start, size_t end);
    Token BadToken(Token token, const char* message) const;
    size_t RunEnd(size_t from, bool (*belongs)(const char* at)) const;

    const char* m_pText;
    size_t m_nLength;
    size_t m_nPosition = 0;
    TokenTable m_stKeywords;
    TokenTable m_stOperators;
    TokenErrorOutput m_stErrorOutput;
    Token m_stLast;
    bool m_bPushedBack = false;
};

// Upper case as tokens and font names use it: only a-z change, so the result
// does not depend on the code page or the C library's locale.
std::string UpperCaseLetters(std::string text);
