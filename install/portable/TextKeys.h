// Key material of the installer's text scrambling. The build tool scrambles with
// exactly these values, so changing any of them changes every stored text and
// every scrambled name and value of an archive.
#pragma once

#include <cstdint>

namespace TextKeys {

// The key under which the program's own texts are stored.
constexpr uint16_t kProgramTextKey = 0x87A7;

constexpr int kXorCount = 11;
constexpr int kOuterRotationCount = 11;
constexpr int kInnerRotationCount = 18;
constexpr int kWordCount = 9;

// Only the first five inner rotations and words are used by the word stage; the
// rest are kept so the tables keep the shape the transform was designed with.
constexpr int kWordStageCycle = 5;

constexpr uint8_t kXor[kXorCount] = {0x93, 0xBF, 0xD6, 0x8D, 0xA9, 0x0C,
                                     0x7B, 0x62, 0x62, 0x75, 0x7E};
constexpr uint8_t kOuterRotation[kOuterRotationCount] = {0x50, 0x86, 0x5D, 0xDB, 0x16, 0x8C,
                                                         0xCA, 0xDF, 0x80, 0xD2, 0x8A};
constexpr uint8_t kInnerRotation[kInnerRotationCount] = {0x7A, 0xD8, 0x4D, 0xE4, 0x39, 0x33,
                                                         0x6C, 0xC1, 0x9D, 0x12, 0x1D, 0x58,
                                                         0x04, 0x36, 0x60, 0xAE, 0x61, 0xBD};
constexpr uint16_t kWords[kWordCount] = {0x29EA, 0x92E7, 0xC8DE, 0x428E, 0x55D9,
                                         0xFE0F, 0x8EF8, 0x37C5, 0x635D};

}  // namespace TextKeys
