// The pixels of a decoded banner as the display wants them: the decoder's
// 24-bit rows are kept bottom row lowest, blue first, and converted into a
// bottom-up DIB of 16 bits (5-5-5) or 32 bits per pixel.
#pragma once

#include <cstddef>
#include <cstdint>

// The largest image DrawImage takes on. A banner is far smaller; a header
// claiming more is hostile or broken, and its buffer could not even be
// counted in a 32-bit size_t (65500 x 9368 pixels would wrap to 260 KB).
constexpr uint32_t kMaxImageSide = 16384;
constexpr uint64_t kMaxImagePixels = uint64_t{1} << 24;

// Bytes of DrawImage's one buffer, the output DIB followed by the stored
// decoder rows, counted in 64 bits; 0 when the image cannot be drawn: empty,
// beyond the limits above, or not decoded into 3 components (R, G, B).
// Whatever it allows, DecodedStride and DibSize count without overflow.
uint64_t ImageBufferSize(uint32_t width, uint32_t height, int components, bool sixteenBit);

// Bytes of one stored decoder row: 3 per pixel, rounded up to 4.
size_t DecodedStride(int width);

// Turns one decoder row (R, G, B per pixel) into the stored order (B, G, R).
void SwapRedAndBlue(uint8_t* row, int width);

// Bytes of one output row: 2 per pixel and 2 more when the width is odd, so
// that every row starts on a 4-byte boundary; or 4 per pixel.
size_t DibStride(int width, bool sixteenBit);

// Bytes of the whole output: height rows of DibStride bytes; 0 for an empty image.
size_t DibSize(int width, int height, bool sixteenBit);

// Writes the output, DibSize bytes, bottom row first: row j comes from
// stored row j, counted from the lowest (the image's bottom row). stored
// holds height rows of DecodedStride(width) bytes in B, G, R order. Padding
// bytes are 0. The two areas must not overlap. The caller owns both, so the
// decoder can keep them in plain allocations across libjpeg's error jump.
void ConvertToDib(const uint8_t* stored, int width, int height, bool sixteenBit, uint8_t* out);

// Where an image of size goes along one axis: at requested, or centred on
// the screen when requested is negative (division toward zero, so an image
// larger than the screen starts left of or above it).
int ImageOrigin(int requested, int screenSize, int imageSize);
