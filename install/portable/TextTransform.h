// The pieces of the text transform that the unscrambler and the build tool's
// scrambler share: the tables keyed for one call, and the 6-bit character code.
#pragma once

#include <cstdint>

#include "install/portable/TextKeys.h"

struct KeyedTextTables {
    uint8_t xorBytes[TextKeys::kXorCount];
    uint8_t outerRotation[TextKeys::kOuterRotationCount];
    uint8_t innerRotation[TextKeys::kInnerRotationCount];
    uint16_t words[TextKeys::kWordCount];
};

// Each call starts from the constant tables, so keying never accumulates.
KeyedTextTables KeyTextTables(uint16_t key);

// Scrambled texts use the 64 characters "0" (48) to "o" (111), 6 bits each.
constexpr int kTextCharBase = 48;
constexpr int kTextBitsPerChar = 6;

// Largest unpacked text the transform handles; a longer input is cut here.
constexpr int kTextScratchSize = 500;
