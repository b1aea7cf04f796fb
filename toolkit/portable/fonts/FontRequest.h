// Font requests ("Arial,15,bold", "Courier New,12,+bold", "MainFont")
// read once into a typed value, and the names the named-font registry files
// fonts under. The Windows side looks the value up in the registry or makes a
// GDI font from it; nothing here knows about GDI.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The registry record's face field holds 201 bytes.
constexpr size_t kMaxFaceText = 199;
// LOGFONT's face holds 32 bytes with its NUL.
constexpr size_t kMaxEnumerationFace = 31;
// A NAME= word longer than this is ignored.
constexpr size_t kMaxFontName = 99;
// Stands for the size in a generated name when the font text gave none.
constexpr int kUnsizedNameSize = 65280;
// Generated names begin with this; only fonts under such names are reused
// for a later font text with the same attributes.
inline constexpr char kGeneratedNamePrefix[] = "$DF.";

// Bits of the caller's flags byte.
constexpr uint8_t kVariantFlagBold = 1;    // "+BOLD"
constexpr uint8_t kVariantFlagItalic = 2;  // "+ITALIC"

struct FontRequest {
    // The text is null, or holds something the grammar has no place for: a
    // quoted string or character literal, a comment that is never closed, a
    // token over kMaxTokenLength characters. Every other field then keeps
    // its default, and the caller must leave the registry and the window's
    // font as they are: guessing at such a text could file a font under a
    // name or face made of garbage.
    bool refused = false;

    // The face field (everything before the first comma) is empty or ends in
    // a plain word. Only then is it looked up, as a registered name or an
    // installed face; otherwise it has no effect at all ("13,bold").
    bool hasFace = false;
    // The face field as it stands in the text, blanks and comments included
    // ("Courier New ,12" gives "Courier New "), cut to kMaxFaceText
    // characters. Empty when hasFace is false.
    std::string face;

    // The first integer: the character height in pixels.
    bool hasSize = false;
    int size = 0;
    // The second and every later integer: the average character width; the
    // last one wins. Both are at most INT_MAX, so they can be negated.
    bool hasWidth = false;
    int width = 0;

    // Attribute keywords present after the face field. NORMAL is kept apart
    // from BOLD because it wins wherever it stands; SEMIBOLD is recognised
    // and sets nothing.
    bool bold = false;
    bool normal = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    // "+BOLD" and "+ITALIC": make and keep the weight-900 (or italic) variant
    // in the record. They do not set bold or italic.
    bool boldVariant = false;
    bool italicVariant = false;

    // The word behind NAME= (or N=), upper case: the registration name.
    // Empty when there is none; a word longer than kMaxFontName characters
    // is ignored, and a later NAME= replaces an earlier one.
    std::string name;

    // The GDI weight of a font made from this font text.
    int Weight() const { return bold && !normal ? 700 : 400; }
    // The caller's flags byte: kVariantFlagBold and kVariantFlagItalic.
    uint8_t VariantFlags() const {
        return static_cast<uint8_t>((boldVariant ? kVariantFlagBold : 0) |
                                    (italicVariant ? kVariantFlagItalic : 0));
    }
};

FontRequest ParseFontRequest(const char* text);

// A name as the registry compares it: a-z turned upper case, nothing else
// changed, so every stored name (always upper case) matches regardless of
// case. A null name gives "".
std::string FontLookupName(const char* name);

// The face asked for when enumerating installed fonts: the first
// kMaxEnumerationFace characters of the face text.
std::string EnumerationFace(const std::string& face);

// The name a font is registered under when the font text gave none:
// "$DF." face "." size "." counter in at least five digits, upper case
// ("Arial,13" with counter 0 is "$DF.ARIAL.13.00000"). The size is
// kUnsizedNameSize when none was given. Any face length fits.
std::string GeneratedFontName(const FontRequest& spec, uint32_t counter);
