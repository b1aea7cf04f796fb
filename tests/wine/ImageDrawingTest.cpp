// JPEG entries drawn straight out of an archive, compared pixel by pixel with
// the same file decoded plainly, in both display depths.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <jpeglib.h>
#include <vector>

#include "pgr/ImageDrawing.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrTransforms.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

constexpr int kCanvasWidth = 420;
constexpr int kCanvasHeight = 200;
constexpr COLORREF kUntouched = RGB(1, 2, 3);

std::vector<uint8_t> FixtureBytes() {
    std::ifstream file(IMAGE_FIXTURE, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The fixture decoded plainly: RGB rows, top row first.
struct Decoded {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    COLORREF At(int x, int y) const {
        const uint8_t* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
        return RGB(p[0], p[1], p[2]);
    }
};

Decoded DecodePlainly(const std::vector<uint8_t>& jpeg) {
    jpeg_decompress_struct info = {};
    jpeg_error_mgr error = {};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<uint8_t*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    Decoded d;
    d.width = static_cast<int>(info.output_width);
    d.height = static_cast<int>(info.output_height);
    d.rgb.resize(static_cast<size_t>(d.width) * d.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &d.rgb[static_cast<size_t>(info.output_scanline) * d.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return d;
}

// The JPEG with the size its frame header claims changed, the data left as
// it is: a header is all a hostile file needs to ask for a huge buffer.
std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> jpeg, uint16_t width, uint16_t height) {
    // Markers after SOI: FF, code, a big-endian length that counts itself.
    size_t at = 2;
    while (at + 9 < jpeg.size() && jpeg[at] == 0xFF) {
        const uint8_t code = jpeg[at + 1];
        if (code >= 0xC0 && code <= 0xC2) {  // baseline, extended or progressive frame
            jpeg[at + 5] = static_cast<uint8_t>(height >> 8);
            jpeg[at + 6] = static_cast<uint8_t>(height & 0xFF);
            jpeg[at + 7] = static_cast<uint8_t>(width >> 8);
            jpeg[at + 8] = static_cast<uint8_t>(width & 0xFF);
            return jpeg;
        }
        at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
    }
    ADD_FAILURE() << "no frame header in the fixture";
    return jpeg;
}

// A 32-bit memory context the image is drawn into, filled with a colour the
// image does not use.
class CCanvas {
  public:
    CCanvas() : m_hDC(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kCanvasWidth;
        info.bmiHeader.biHeight = -kCanvasHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_hBitmap = CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_hPrevious = SelectObject(m_hDC, m_hBitmap);
        const RECT all = {0, 0, kCanvasWidth, kCanvasHeight};
        HBRUSH brush = CreateSolidBrush(kUntouched);
        FillRect(m_hDC, &all, brush);
        DeleteObject(brush);
    }
    ~CCanvas() {
        SelectObject(m_hDC, m_hPrevious);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    HDC DC() const { return m_hDC; }
    COLORREF At(int x, int y) const { return GetPixel(m_hDC, x, y); }

  private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hPrevious;
};

// An archive with another entry first, so the image does not start at data
// offset 0, and a stored size that is no multiple of the block size. The
// decoder reads on past an entry's end, taking the next entry's stored bytes
// as they are; only at the archive's end does it see the end of the data.
class ImageArchive : public ::testing::Test {
  protected:
    void SetUp() override {
        InitNoiseTable();
        m_stJpeg = FixtureBytes();
        ASSERT_GT(m_stJpeg.size(), 2u * Pgr::kDataBlockSize) << IMAGE_FIXTURE;
        ASSERT_NE(m_stJpeg.size() % Pgr::kDataBlockSize, 0u);
        m_stPlain = DecodePlainly(m_stJpeg);
        PgrBuilder builder;
        builder.AddEntry({"readme.txt", std::vector<uint8_t>(1234, 'r')});
        builder.AddEntry({"banner.jpg", m_stJpeg});
        builder.AddEntry({"noise.jpg", std::vector<uint8_t>(5000, 0x5A)});
        // Its buffer, 65500 x 9368 pixels at 7 bytes each, passes 4 GB: a
        // size_t of 32 bits would wrap to about 260 KB.
        builder.AddEntry({"huge.jpg", WithFrameSize(m_stJpeg, 65500, 9368)});
        builder.AddEntry({"too-wide.jpg", WithFrameSize(m_stJpeg, 16385, 1)});
        // Last, so that the archive ends where the image is cut short.
        builder.AddEntry({"broken.jpg", std::vector<uint8_t>(m_stJpeg.begin(), m_stJpeg.begin() + 600)});
        m_stArchive = builder.Build();
    }

    // Draws an entry on a fresh canvas with the given display; the result
    // of DrawImage.
    int Draw(const char* name, int x, int y, const DisplayInfo& display, const CCanvas& canvas) {
        CMemPGR reader(m_stArchive.data(), static_cast<uint32_t>(m_stArchive.size()), display);
        EXPECT_EQ(reader.ReadFile(), 0);
        const int32_t offset = reader.FindFile(name, nullptr);
        reader.SetDrawDC(canvas.DC());
        return reader.DrawImage(nullptr, x, y, offset);
    }

    std::vector<uint8_t> m_stJpeg;
    Decoded m_stPlain;
    std::vector<uint8_t> m_stArchive;
};

TEST_F(ImageArchive, DrawsTheEntryAsThePlainFileDecodes) {
    CCanvas canvas;
    ASSERT_EQ(Draw("banner.jpg", 5, 7, {0, 768, 1024}, canvas), 1);
    for (int y = 0; y < m_stPlain.height; ++y)
        for (int x = 0; x < m_stPlain.width; ++x)
            ASSERT_EQ(canvas.At(5 + x, 7 + y), m_stPlain.At(x, y)) << x << "," << y;
    EXPECT_EQ(canvas.At(4, 7), kUntouched);
    EXPECT_EQ(canvas.At(5 + m_stPlain.width, 7), kUntouched);
    EXPECT_EQ(canvas.At(5, 7 + m_stPlain.height), kUntouched);
}

TEST_F(ImageArchive, SixteenBitDisplayKeepsFiveBitsOfEachColour) {
    CCanvas canvas;
    ASSERT_EQ(Draw("banner.jpg", 0, 0, {1, 768, 1024}, canvas), 1);
    const auto fiveBits = [](COLORREF c) { return c & 0xF8F8F8; };
    ASSERT_EQ(m_stPlain.width % 2, 1) << "the fixture's odd width pads each 16-bit row";
    for (int y = 0; y < m_stPlain.height; ++y)
        for (int x = 0; x < m_stPlain.width; ++x)
            ASSERT_EQ(fiveBits(canvas.At(x, y)), fiveBits(m_stPlain.At(x, y))) << x << "," << y;
}

TEST_F(ImageArchive, NegativeCoordinateCentresOnTheScreen) {
    CCanvas canvas;
    const int screenWidth = 400;
    ASSERT_EQ(Draw("banner.jpg", -1, 0, {0, 768, screenWidth}, canvas), 1);
    const int left = (screenWidth - m_stPlain.width) / 2;
    EXPECT_EQ(canvas.At(left, 0), m_stPlain.At(0, 0));
    EXPECT_EQ(canvas.At(left - 1, 0), kUntouched);
    EXPECT_EQ(canvas.At(left + m_stPlain.width, 0), kUntouched);
}

TEST_F(ImageArchive, WhatCannotBeDecodedDrawsNothing) {
    const struct {
        const char* name;
        int result;
    } cases[] = {
        {"noise.jpg", 0},        // no JPEG at all: the decoder's fatal error
        {"huge.jpg", 0},         // a header asking for more than any banner needs
        {"too-wide.jpg", 0},     // wider than any screen by far, though one row only
        {"no such entry", 0},    // an offset of no entry
        {"broken.jpg", 1},       // cut short by the archive's end: drawn with what was decoded
    };
    for (const auto& c : cases) {
        CCanvas canvas;
        EXPECT_EQ(Draw(c.name, 0, 0, {0, 768, 1024}, canvas), c.result) << c.name;
        if (c.result == 0) {
            EXPECT_EQ(canvas.At(0, 0), kUntouched) << c.name;
        }
    }
    // A reader keeps working after a failed image.
    CCanvas canvas;
    EXPECT_EQ(Draw("banner.jpg", 0, 0, {0, 768, 1024}, canvas), 1);
    EXPECT_EQ(canvas.At(0, 0), m_stPlain.At(0, 0));
}

TEST(ImageDisplay, CurrentModeIsTheScreens) {
    const DisplayInfo display = CurrentDisplayInfo();
    EXPECT_EQ(display.screenWidth, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(display.screenHeight, GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace
