#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "pgr/ImagePixels.h"

namespace {

// Stored rows as the decoder leaves them after the swap: bottom row lowest,
// B, G, R; each pixel's value says where it stands.
std::vector<uint8_t> StoredRows(int width, int height) {
    std::vector<uint8_t> stored(DecodedStride(width) * height, 0xEE);
    for (int j = 0; j < height; ++j)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = &stored[DecodedStride(width) * j + 3 * x];
            pixel[0] = static_cast<uint8_t>(8 * x);       // blue
            pixel[1] = static_cast<uint8_t>(8 * j);       // green
            pixel[2] = static_cast<uint8_t>(255 - 8 * x);  // red
        }
    return stored;
}

TEST(ImagePixels, RowSizes) {
    const struct {
        int width;
        size_t decoded, sixteen, thirtyTwo;
    } cases[] = {
        {1, 4, 4, 4}, {2, 8, 4, 8}, {3, 12, 8, 12}, {4, 12, 8, 16}, {5, 16, 12, 20}, {700, 2100, 1400, 2800},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodedStride(c.width), c.decoded) << c.width;
        EXPECT_EQ(DibStride(c.width, true), c.sixteen) << c.width;
        EXPECT_EQ(DibStride(c.width, false), c.thirtyTwo) << c.width;
    }
}

std::vector<uint8_t> Converted(const std::vector<uint8_t>& stored, int width, int height, bool sixteenBit) {
    std::vector<uint8_t> dib(DibSize(width, height, sixteenBit), 0xAB);
    ConvertToDib(stored.data(), width, height, sixteenBit, dib.data());
    return dib;
}

TEST(ImagePixels, SwapTurnsRgbIntoBgr) {
    std::vector<uint8_t> row = {1, 2, 3, 4, 5, 6, 9};
    SwapRedAndBlue(row.data(), 2);
    EXPECT_EQ(row, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9}));
}

TEST(ImagePixels, SixteenBitPacks555BottomUpWithRowPadding) {
    const int width = 3, height = 2;
    const std::vector<uint8_t> stored = StoredRows(width, height);
    const std::vector<uint8_t> dib = Converted(stored, width, height, true);
    ASSERT_EQ(dib.size(), 8u * height);
    for (int j = 0; j < height; ++j) {
        for (int x = 0; x < width; ++x) {
            const uint16_t packed = static_cast<uint16_t>(dib[8 * j + 2 * x] | dib[8 * j + 2 * x + 1] << 8);
            const uint16_t expected =
                static_cast<uint16_t>(((255 - 8 * x) >> 3) << 10 | (8 * j >> 3) << 5 | (8 * x >> 3));
            EXPECT_EQ(packed, expected) << x << "," << j;
            EXPECT_EQ(packed & 0x8000, 0);
        }
        EXPECT_EQ(dib[8 * j + 6], 0) << "padding of an odd row";
        EXPECT_EQ(dib[8 * j + 7], 0);
    }
}

TEST(ImagePixels, ThirtyTwoBitKeepsBgrInFourBytes) {
    const int width = 2, height = 3;
    const std::vector<uint8_t> stored = StoredRows(width, height);
    const std::vector<uint8_t> dib = Converted(stored, width, height, false);
    ASSERT_EQ(dib.size(), 4u * width * height);
    for (int j = 0; j < height; ++j)
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = &dib[4 * width * j + 4 * x];
            EXPECT_EQ(pixel[0], 8 * x);
            EXPECT_EQ(pixel[1], 8 * j) << "row j from the j-th stored row from the bottom";
            EXPECT_EQ(pixel[2], 255 - 8 * x);
        }
    EXPECT_EQ(DibSize(0, 3, false), 0u);
    EXPECT_EQ(DibSize(3, 0, true), 0u);
    EXPECT_EQ(DibSize(5, 2, true), 24u);
}

// Counted in 64 bits whatever size_t is, and refused beyond the limits, where
// a 32-bit count would wrap and a small buffer take a huge image.
TEST(ImagePixels, BufferSizeAndTheImagesThatCannotBeDrawn) {
    const struct {
        uint32_t width, height;
        int components;
        bool sixteenBit;
        uint64_t bytes;
    } cases[] = {
        {700, 150, 3, false, (2800u + 2100u) * 150u},
        {301, 123, 3, true, (604u + 904u) * 123u},  // odd width: both strides padded
        {16384, 1024, 3, false, (65536u + 49152u) * uint64_t{1024}},  // at both limits
        {1, 1, 3, true, 8},
        {65500, 9368, 3, false, 0},  // 4,295,228,000 bytes: 260,704 in 32 bits
        {16385, 1, 3, false, 0},
        {1, 16385, 3, false, 0},
        {4097, 4096, 3, false, 0},  // each side allowed, the pixels not
        {0, 10, 3, false, 0},
        {10, 0, 3, false, 0},
        {10, 10, 1, false, 0},  // grey output: rows of 1 byte a pixel
        {10, 10, 4, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImageBufferSize(c.width, c.height, c.components, c.sixteenBit), c.bytes)
            << c.width << " x " << c.height << ", " << c.components << " components";
    // Whatever is allowed, the narrower counts agree.
    EXPECT_EQ(ImageBufferSize(16384, 1024, 3, true),
              DibSize(16384, 1024, true) + DecodedStride(16384) * uint64_t{1024});
}

TEST(ImagePixels, NegativeCoordinateCentresOnTheScreen) {
    EXPECT_EQ(ImageOrigin(-1, 1024, 700), 162);
    EXPECT_EQ(ImageOrigin(0, 1024, 700), 0);
    EXPECT_EQ(ImageOrigin(15, 1024, 700), 15);
    EXPECT_EQ(ImageOrigin(-1, 640, 701), -30) << "toward zero";
    EXPECT_EQ(ImageOrigin(-1, 1023, 700), 161);
}

}  // namespace
