#include "toolkit/portable/text/Markup.h"

#include <cstring>

#include "toolkit/portable/options/ColourTable.h"
#include "toolkit/portable/options/KeywordSearch.h"
#include "toolkit/portable/text/MarkupCodes.h"

namespace {

struct TagKeyword {
    const char* name;
    MarkupCode code;
    bool takesColour;  // "= colour" must follow the name
};

// The first keyword found in the name decides, so "LBG" must be tried before
// the "BG" it contains.
const TagKeyword kTagKeywords[] = {
    {"FG", MarkupCode::TextColour, true},
    {"LBG", MarkupCode::LineBackground, true},
    {"BG", MarkupCode::TextBackground, true},
    {"ITALIC", MarkupCode::Italic, false},
    {"BOLD", MarkupCode::Bold, false},
};

enum class TagKind { Code, Vanishes, Malformed };

struct Tag {
    TagKind kind;
    std::string bytes;  // the compiled code, for TagKind::Code
};

const Tag kVanishes{TagKind::Vanishes, {}};
const Tag kMalformed{TagKind::Malformed, {}};

std::string CodeBytes(MarkupCode code) {
    return {kMarkupIntroducer, static_cast<char>(code)};
}

Tag CodeTag(MarkupCode code) {
    return {TagKind::Code, CodeBytes(code)};
}

Tag ColourTag(MarkupCode code, uint32_t colour) {
    std::string bytes = CodeBytes(code);
    for (int shift : {0, 8, 16})  // red sits in the low byte of a Windows colour
        bytes += static_cast<char>((colour >> shift) & 0xFF);
    return {TagKind::Code, bytes};
}

Tag FontTag(FontReference reference) {
    std::string bytes = CodeBytes(MarkupCode::Font);
    for (int shift : {24, 16, 8, 0})
        bytes += static_cast<char>((reference >> shift) & 0xFF);
    return {TagKind::Code, bytes};
}

// Not isalnum: it depends on the locale and takes no negative chars.
bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

const char* SkipSpaces(const char* p) {
    while (*p == ' ')
        ++p;
    return p;
}

class CMarkupCompiler {
  public:
    CMarkupCompiler(const CColourTable& colours, const FontLookup& fonts, size_t capacity)
        : m_stColours(colours), m_fnFonts(fonts), m_nCapacity(capacity) {}

    void Compile(const char* source, size_t length);
    void TakeResult(MarkupText& text);

  private:
    Tag ReadTag(const std::string& content) const;
    Tag ReadColourAssignment(const std::string& content, size_t behindName, MarkupCode code) const;
    Tag ReadNamedTag(const std::string& content) const;
    bool Append(const char* bytes, size_t length, size_t visible);

    const CColourTable& m_stColours;
    const FontLookup& m_fnFonts;
    const size_t m_nCapacity;
    std::string m_sCompiled;
    size_t m_nVisible = 0;
    bool m_bNeeded = false;  // an accepted tag or a "{{": the compiled text must be drawn
};

// Each branch returns where the compilation ends early; the text to draw is
// then what was compiled so far (TakeResult decides which text that is).
void CMarkupCompiler::Compile(const char* source, size_t length) {
    size_t i = 0;
    while (i < length) {
        if (source[i] != '{') {
            if (!Append(source + i, 1, 1))
                return;
            ++i;
        } else if (i + 1 < length && source[i + 1] == '{') {
            if (!Append("{", 1, 1))
                return;
            m_bNeeded = true;
            i += 2;
        } else {
            const char* open = source + i + 1;
            const char* close = static_cast<const char*>(std::memchr(open, '}', length - i - 1));
            if (!close)
                return;
            const Tag tag = ReadTag(std::string(open, close));
            if (tag.kind == TagKind::Malformed)
                return;
            if (tag.kind == TagKind::Code) {
                if (!Append(tag.bytes.data(), tag.bytes.size(), 0))
                    return;
                m_bNeeded = true;
            }
            i = static_cast<size_t>(close - source) + 1;
        }
    }
}

void CMarkupCompiler::TakeResult(MarkupText& text) {
    text.compiled = m_bNeeded;
    if (m_bNeeded) {
        text.compiledText = std::move(m_sCompiled);
        text.visible = m_nVisible;
    } else {
        text.visible = text.sourceLength;
    }
}

Tag CMarkupCompiler::ReadTag(const std::string& content) const {
    if (content.empty() || content.size() >= kMarkupMaxTag)
        return kVanishes;
    if (content == "/" || content == "\\")
        return CodeTag(MarkupCode::Reset);
    size_t nameLength = 0;
    while (nameLength < content.size() && IsNameCharacter(content[nameLength]))
        ++nameLength;
    const std::string name = content.substr(0, nameLength);
    for (const TagKeyword& keyword : kTagKeywords) {
        if (!HasKeyword(name.c_str(), keyword.name))
            continue;
        return keyword.takesColour ? ReadColourAssignment(content, nameLength, keyword.code)
                                   : CodeTag(keyword.code);
    }
    return ReadNamedTag(content);
}

Tag CMarkupCompiler::ReadColourAssignment(const std::string& content, size_t behindName,
                                          MarkupCode code) const {
    const char* p = SkipSpaces(content.c_str() + behindName);
    if (*p != '=')
        return kMalformed;
    uint32_t colour = 0;
    if (!m_stColours.Find(SkipSpaces(p + 1), colour))
        return kVanishes;
    return ColourTag(code, colour);
}

// Colour names are tried before fonts, so a font registered under a colour's
// name ("B") can never be chosen by a tag.
Tag CMarkupCompiler::ReadNamedTag(const std::string& content) const {
    uint32_t colour = 0;
    if (m_stColours.Find(content.c_str(), colour))
        return ColourTag(MarkupCode::TextColour, colour);
    if (m_fnFonts) {
        if (const std::optional<FontReference> font = m_fnFonts(content.c_str()))
            return FontTag(*font);
    }
    return kVanishes;
}

bool CMarkupCompiler::Append(const char* bytes, size_t length, size_t visible) {
    if (length > m_nCapacity - m_sCompiled.size())
        return false;
    m_sCompiled.append(bytes, length);
    m_nVisible += visible;
    return true;
}

}  // namespace

MarkupText CompileMarkup(const char* source, const CColourTable& colours, const FontLookup& fonts,
                         size_t capacity) {
    MarkupText text;
    if (source)
        text.source = source;
    text.sourceLength = std::strlen(text.source);
    CMarkupCompiler compiler(colours, fonts, capacity);
    if (text.sourceLength < kMarkupSourceLimit)
        compiler.Compile(text.source, text.sourceLength);
    compiler.TakeResult(text);
    return text;
}
