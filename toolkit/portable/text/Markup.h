// Inline markup in texts given to Write: "{b}Blue{/} normal" is compiled once
// into the byte form of MarkupCodes.h, which the drawing loop and the text
// window then read with CMarkupReader, never looking at braces again.
//
// Rules of the compilation:
//   - a text of kMarkupSourceLimit characters or more is not compiled: it is
//     drawn as it stands, braces included;
//   - "{{" gives one "{";
//   - "{/}" and "{\}" reset the last change;
//   - otherwise the tag's name, the leading run of ASCII letters and digits
//     of its content, is searched for "FG", "LBG", "BG", "ITALIC" and "BOLD"
//     in that order, letters without case, anywhere in the name (the option
//     keyword search); the first found decides. "FG", "LBG" and "BG" need
//     "=" and a colour name behind the name, spaces allowed around the "=";
//   - a tag without keyword is a colour name (a text colour: "{b}" is blue),
//     else a registered font name, else it vanishes;
//   - empty tags and tags of kMarkupMaxTag characters or more vanish;
//   - a "{" without "}" and a colour keyword without "=" end the compilation
//     there;
//   - every other byte is copied, a 0x01 among them: it will be read as an
//     introducer, so a reader must cope with codes the compiler never wrote
//     (CMarkupReader does).
//
// The compiled text is drawn only when it holds something a reader needs: an
// accepted tag or a "{{". A text whose tags all vanish, or one whose
// compilation ended before either, is drawn as it stands, so a text that was
// never meant as markup keeps its braces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CColourTable;

// What a font tag carries in its four bytes. The caller's registry decides
// what it means; the Windows side makes it an index into its font registry,
// never a pointer, which would not fit in 64-bit builds. A reader finds
// whatever four bytes a text holds there, so the index must be checked.
using FontReference = uint32_t;

// Looks a tag's content up as a registered font name (the registry's own
// name rule); none when there is no such font.
using FontLookup = std::function<std::optional<FontReference>(const char* name)>;

// Texts this long or longer are drawn unchanged.
constexpr size_t kMarkupSourceLimit = 1000;
// Tag contents this long or longer vanish.
constexpr size_t kMarkupMaxTag = 200;
// Compiled bytes a surface's text buffer takes, its terminating zero apart.
constexpr size_t kMarkupTextCapacity = 1000;

// One text as Write draws it.
struct MarkupText {
    const char* source = "";  // the caller's text, not owned
    size_t sourceLength = 0;
    bool compiled = false;     // compiledText is the text to draw
    std::string compiledText;  // empty unless compiled
    size_t visible = 0;        // characters of the text to draw that are not codes

    // The text to draw. Colour payloads hold zero bytes (black is 0, 0, 0),
    // so Length() and not the first zero says where it ends.
    const char* Text() const { return compiled ? compiledText.c_str() : source; }
    size_t Length() const { return compiled ? compiledText.size() : sourceLength; }
};

// Compiles source (null reads as an empty text). Font names are looked up
// only when fonts is set.
//
// A text below the source limit can still grow past the buffer, since "{b}"
// takes 5 bytes compiled and a font tag of 3 characters takes 6. The
// compiled text never exceeds capacity bytes: compilation stops before the
// first item (a character, or a code with its whole payload) that does not
// fit, and the text to draw is what came before. Later items are not
// squeezed in behind a dropped one: text would then show in a colour that
// was meant to be reset, or a reset would undo the wrong change. capacity
// bounds only the compiled text; a text drawn as it stands is the caller's.
MarkupText CompileMarkup(const char* source, const CColourTable& colours, const FontLookup& fonts,
                         size_t capacity = kMarkupTextCapacity);
