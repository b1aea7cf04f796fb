// 16-bit word helpers shared by the text and archive transforms.
#pragma once

#include <cstdint>

inline uint16_t SwapBytes16(uint16_t w) { return static_cast<uint16_t>((w << 8) | (w >> 8)); }

inline uint16_t RotateLeft16(uint16_t w, unsigned bits) {
    bits &= 15;
    return static_cast<uint16_t>((w << bits) | (w >> ((16 - bits) & 15)));
}

inline uint16_t RotateRight16(uint16_t w, unsigned bits) {
    bits &= 15;
    return static_cast<uint16_t>((w >> bits) | (w << ((16 - bits) & 15)));
}

inline uint16_t LoadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline void StoreLe16(uint8_t* p, uint16_t w) {
    p[0] = static_cast<uint8_t>(w);
    p[1] = static_cast<uint8_t>(w >> 8);
}

inline uint32_t LoadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void StoreLe32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
