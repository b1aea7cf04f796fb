#include "pgr/ImagePixels.h"

#include <algorithm>

namespace {

constexpr int kBytesPer24 = 3;
constexpr int kBytesPer32 = 4;

uint16_t Pack555(uint8_t blue, uint8_t green, uint8_t red) {
    return static_cast<uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}

}  // namespace

uint64_t ImageBufferSize(uint32_t width, uint32_t height, int components, bool sixteenBit) {
    if (width == 0 || height == 0 || components != kBytesPer24)
        return 0;
    if (width > kMaxImageSide || height > kMaxImageSide || uint64_t{width} * height > kMaxImagePixels)
        return 0;
    const uint64_t decodedStride = (uint64_t{width} * kBytesPer24 + 3) & ~uint64_t{3};
    const uint64_t dibStride = sixteenBit ? uint64_t{width} * 2 + (width % 2 ? 2 : 0) : uint64_t{width} * kBytesPer32;
    return (decodedStride + dibStride) * height;
}

size_t DecodedStride(int width) {
    return (static_cast<size_t>(std::max(width, 0)) * kBytesPer24 + 3) & ~static_cast<size_t>(3);
}

void SwapRedAndBlue(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x)
        std::swap(row[x * kBytesPer24], row[x * kBytesPer24 + 2]);
}

size_t DibStride(int width, bool sixteenBit) {
    const size_t pixels = static_cast<size_t>(std::max(width, 0));
    if (!sixteenBit)
        return pixels * kBytesPer32;
    return pixels * 2 + (pixels % 2 ? 2 : 0);
}

size_t DibSize(int width, int height, bool sixteenBit) {
    return height > 0 ? DibStride(width, sixteenBit) * static_cast<size_t>(height) : 0;
}

void ConvertToDib(const uint8_t* stored, int width, int height, bool sixteenBit, uint8_t* out) {
    if (width <= 0 || height <= 0)
        return;
    const size_t inStride = DecodedStride(width);
    const size_t outStride = DibStride(width, sixteenBit);
    std::fill(out, out + DibSize(width, height, sixteenBit), uint8_t{0});
    for (int j = 0; j < height; ++j) {
        const uint8_t* in = stored + inStride * static_cast<size_t>(j);
        uint8_t* row = out + outStride * static_cast<size_t>(j);
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = in + x * kBytesPer24;
            if (sixteenBit) {
                const uint16_t packed = Pack555(pixel[0], pixel[1], pixel[2]);
                row[x * 2] = static_cast<uint8_t>(packed & 0xFF);
                row[x * 2 + 1] = static_cast<uint8_t>(packed >> 8);
            } else {
                std::copy(pixel, pixel + kBytesPer24, row + x * kBytesPer32);
            }
        }
    }
}

int ImageOrigin(int requested, int screenSize, int imageSize) {
    return requested < 0 ? (screenSize - imageSize) / 2 : requested;
}
