#include "tests/e2e/portable/BmpFile.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
// Horizontal and vertical resolution: 96 dots per inch.
constexpr uint32_t kPixelsPerMetre = 3780;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

void PutHeaders(std::vector<uint8_t>& out, uint32_t width, uint32_t height, uint32_t imageSize) {
    out.push_back('B');
    out.push_back('M');
    Put32(out, kFileHeaderSize + kInfoHeaderSize + imageSize);
    Put32(out, 0);
    Put32(out, kFileHeaderSize + kInfoHeaderSize);
    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height);  // positive: the bottom row comes first
    Put16(out, 1);       // planes
    Put16(out, 24);      // bits per pixel
    Put32(out, 0);       // BI_RGB
    Put32(out, imageSize);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
}

}  // namespace

std::vector<uint8_t> MakeBmp24(int width, int height, const std::vector<uint8_t>& pixels) {
    if (width < 1 || height < 1 || pixels.size() != static_cast<size_t>(width) * height * 4)
        return {};
    const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + rowSize * height);
    PutHeaders(out, width, height, static_cast<uint32_t>(rowSize * height));
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = &pixels[static_cast<size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x)
            out.insert(out.end(), row + x * 4, row + x * 4 + 3);
        out.resize(out.size() + rowSize - static_cast<size_t>(width) * 3, 0);
    }
    return out;
}
