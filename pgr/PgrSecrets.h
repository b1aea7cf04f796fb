// Key material of the PGR archive format, shared by the archive builder and the
// reader. Every archive ever built depends on these values: change one and all
// archives must be rebuilt.
#pragma once

#include <cstdint>

namespace PgrSecrets {

constexpr uint32_t kHeaderSeed = 0x45558716;
constexpr uint32_t kDirectorySeed = 0x383E3CD1;
constexpr uint32_t kKeyTableSeed = 0x56860927;
constexpr uint32_t kStringTableSeed = 0xA0C9D79C;
constexpr uint32_t kDataBlockMask = 0x6136C1CB;
constexpr uint32_t kNoiseSeed = 0xDEF50237;

constexpr int kByteTableCount = 11;  // A and B
constexpr int kWordTableCount = 5;   // W and R

constexpr uint8_t kTableA[kByteTableCount] = {0xC5, 0x53, 0x14, 0x48, 0xB7, 0xB2,
                                              0xEF, 0x41, 0x98, 0x66, 0x8E};
constexpr uint8_t kTableB[kByteTableCount] = {0xEB, 0xA2, 0xA8, 0x1B, 0x88, 0x21,
                                              0x81, 0x3D, 0x52, 0x7A, 0x71};
constexpr uint16_t kTableW[kWordTableCount] = {0x6943, 0xEB77, 0x35A4, 0x6760, 0xD8A9};
constexpr uint8_t kTableR[kWordTableCount] = {0x23, 0xC4, 0xC7, 0x6B, 0x29};

}  // namespace PgrSecrets
