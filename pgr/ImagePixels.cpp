#include "pgr/ImagePixels.h"

#include <algorithm>

namespace {

constexpr int kBytesPer24 = 3;
constexpr int kBytesPer32 = 4;

uint16_t Pack555(uint8_t blue, uint8_t green, uint8_t red) {
    return static_cast<uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}

}  // namespace

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

std::vector<uint8_t> ConvertToDib(const uint8_t* stored, int width, int height, bool sixteenBit) {
    if (width <= 0 || height <= 0)
        return {};
    const size_t inStride = DecodedStride(width);
    const size_t outStride = DibStride(width, sixteenBit);
    std::vector<uint8_t> out(outStride * static_cast<size_t>(height), 0);
    for (int j = 0; j < height; ++j) {
        const uint8_t* in = stored + inStride * static_cast<size_t>(j);
        uint8_t* row = out.data() + outStride * static_cast<size_t>(j);
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
    return out;
}

int ImageOrigin(int requested, int screenSize, int imageSize) {
    return requested < 0 ? (screenSize - imageSize) / 2 : requested;
}
