// The compiled form of marked-up text, shared by the compiler that writes it
// and the readers that draw it: an accepted tag becomes the introducer byte,
// a code byte and the code's payload; every other byte is text.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char kMarkupIntroducer = '\x01';

enum class MarkupCode : uint8_t {
    TextColour = 0x01,      // payload: red, green, blue
    LineBackground = 0x02,  // payload: red, green, blue
    TextBackground = 0x03,  // payload: red, green, blue
    Italic = 0x04,
    Bold = 0x05,
    Font = 0x07,   // payload: a font reference, most significant byte first
    Reset = 0x08,  // undoes the last change
};

constexpr size_t kMarkupColourPayload = 3;
constexpr size_t kMarkupFontPayload = 4;

// The payload length behind a code byte; false for a byte that is no code,
// such as 0x06, so that a reader never guesses how far a payload runs.
constexpr bool MarkupPayloadLength(uint8_t code, size_t& length) {
    switch (static_cast<MarkupCode>(code)) {
        case MarkupCode::TextColour:
        case MarkupCode::LineBackground:
        case MarkupCode::TextBackground:
            length = kMarkupColourPayload;
            return true;
        case MarkupCode::Font:
            length = kMarkupFontPayload;
            return true;
        case MarkupCode::Italic:
        case MarkupCode::Bold:
        case MarkupCode::Reset:
            length = 0;
            return true;
    }
    return false;
}
