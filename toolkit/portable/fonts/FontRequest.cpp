#include "toolkit/portable/fonts/FontRequest.h"

#include <algorithm>

#include "toolkit/portable/fonts/FontTokenizer.h"

namespace {

enum SpecToken : int {
    kBold = 1,
    kItalic,
    kUnderline,
    kSemiBold,
    kStrikeOut,
    kNormal,
    kName,
    kComma,
    kPlus,
    kEquals,
};

// SEMIBOLD is a keyword although it sets nothing: a face field ending in it
// is then no face ("Arial Semibold,12").
const TokenTableEntry kKeywords[] = {
    {"!BOLD", kBold},
    {"!ITALIC", kItalic},
    {"!UNDERLINE", kUnderline},
    {"!SEMIBOLD", kSemiBold},
    {"!STRIKEOUT", kStrikeOut},
    {"!NORMAL", kNormal},
    {"!N", kName},
    {"!NAME", kName},
};

const TokenTableEntry kOperators[] = {{",", kComma}, {"+", kPlus}, {"=", kEquals}};

struct FlagKeyword {
    int token;
    bool FontRequest::*flag;
};
const FlagKeyword kFlagKeywords[] = {
    {kBold, &FontRequest::bold},
    {kNormal, &FontRequest::normal},
    {kItalic, &FontRequest::italic},
    {kUnderline, &FontRequest::underline},
    {kStrikeOut, &FontRequest::strikeOut},
};

bool IsOperator(const Token& token, int id) {
    return token.kind == TokenKind::Operator && token.id == id;
}

bool IsKeyword(const Token& token, int id) {
    return token.kind == TokenKind::Keyword && token.id == id;
}

bool OutsideGrammar(const Token& token) {
    return token.kind == TokenKind::Quoted || token.kind == TokenKind::UnterminatedComment ||
           token.kind == TokenKind::TooLong;
}

FontRequest Refused() {
    FontRequest spec;
    spec.refused = true;
    return spec;
}

// One pass over one font text. A token outside the grammar reads as the
// end, so every loop stops there, and marks the whole text refused.
class CSpecReader {
  public:
    explicit CSpecReader(const char* text)
        : m_pText(text), m_stTokens(text, MakeTokenTable(kKeywords), MakeTokenTable(kOperators)) {}

    FontRequest Parse() {
        ReadFaceField();
        for (Token token = Next(); token.kind != TokenKind::End; token = Next())
            Apply(token);
        return m_bRefused ? Refused() : m_stRequest;
    }

  private:
    Token Next() {
        Token token = m_stTokens.Read();
        if (OutsideGrammar(token)) {
            m_bRefused = true;
            token.kind = TokenKind::End;
        }
        return token;
    }

    // The field's tokens only decide whether it is a face; the face itself is
    // cut from the text, up to where the comma (or end) token starts.
    void ReadFaceField() {
        TokenKind lastKind = TokenKind::Word;  // an empty field counts as a face
        Token token = Next();
        for (; token.kind != TokenKind::End && !IsOperator(token, kComma); token = Next())
            lastKind = token.kind;
        if (lastKind != TokenKind::Word) {
            m_stTokens.PushBack();
            return;
        }
        m_stRequest.hasFace = true;
        m_stRequest.face.assign(m_pText, std::min(token.start, kMaxFaceText));
    }

    void Apply(const Token& token) {
        if (token.kind == TokenKind::Integer)
            ApplyInteger(token.value);
        else if (IsOperator(token, kPlus))
            ReadVariant();
        else if (IsKeyword(token, kName))
            ReadName();
        else if (token.kind == TokenKind::Keyword)
            ApplyFlag(token.id);
    }

    void ApplyInteger(int value) {
        if (!m_stRequest.hasSize) {
            m_stRequest.hasSize = true;
            m_stRequest.size = value;
        } else {
            m_stRequest.hasWidth = true;
            m_stRequest.width = value;
        }
    }

    void ApplyFlag(int token) {
        for (const FlagKeyword& f : kFlagKeywords) {
            if (f.token == token)
                m_stRequest.*f.flag = true;
        }
    }

    // "+" before anything but BOLD or ITALIC is dropped; what follows it is
    // read as if it stood alone ("+underline" underlines).
    void ReadVariant() {
        const Token next = Next();
        if (IsKeyword(next, kBold))
            m_stRequest.boldVariant = true;
        else if (IsKeyword(next, kItalic))
            m_stRequest.italicVariant = true;
        else
            m_stTokens.PushBack();
    }

    // A token that breaks NAME "=" word is read again as an ordinary one, so
    // "NAME=13" sets the size and "NAME=bold" sets bold.
    void ReadName() {
        if (!IsOperator(Next(), kEquals)) {
            m_stTokens.PushBack();
            return;
        }
        const Token word = Next();
        if (word.kind != TokenKind::Word) {
            m_stTokens.PushBack();
            return;
        }
        if (word.text.size() <= kMaxFontName)
            m_stRequest.name = word.text;
    }

    const char* m_pText;
    CToken m_stTokens;
    FontRequest m_stRequest;
    bool m_bRefused = false;
};

}  // namespace

FontRequest ParseFontRequest(const char* text) {
    return text ? CSpecReader(text).Parse() : Refused();
}

std::string FontLookupName(const char* name) {
    return UpperCaseLetters(name ? name : "");
}

std::string EnumerationFace(const std::string& face) {
    return face.substr(0, kMaxEnumerationFace);
}

// Built as a string rather than printed into a buffer: the face alone may
// take kMaxFaceText characters.
std::string GeneratedFontName(const FontRequest& spec, uint32_t counter) {
    std::string number = std::to_string(counter);
    if (number.size() < 5)
        number.insert(0, 5 - number.size(), '0');
    const int size = spec.hasSize ? spec.size : kUnsizedNameSize;
    return UpperCaseLetters(kGeneratedNamePrefix + spec.face + "." + std::to_string(size) + "." + number);
}
