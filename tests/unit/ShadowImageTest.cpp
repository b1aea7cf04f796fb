#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "toolkit/portable/shadow/ShadowImage.h"

namespace {

using Alphas = std::vector<std::vector<int>>;

// The image's alpha bytes, top row first.
Alphas AlphasOf(const ShadowImage& image) {
    Alphas rows(static_cast<size_t>(image.height), std::vector<int>(static_cast<size_t>(image.width)));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = static_cast<int>(image.PixelAt(x, y) >> 24);
    return rows;
}

CShadowSettings Settings(int size, int sharpness, int xOffset = 20, int yOffset = 20) {
    CShadowSettings s;
    EXPECT_TRUE(s.SetShadowSize(size));
    EXPECT_TRUE(s.SetShadowSharpness(sharpness));
    EXPECT_TRUE(s.SetShadowOffset(xOffset, yOffset));
    return s;
}

constexpr int F = 200;  // the default darkness, at full strength

TEST(ShadowImage, TinyParentWithDefaultsErodesToNothing) {
    const ShadowImage image = ComputeShadowImage(RectangleOutline(4, 3), CShadowSettings{});
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 3);
    EXPECT_EQ(AlphasOf(image), Alphas(3, std::vector<int>(4, 0)));
}

TEST(ShadowImage, SharpnessOneFadesToHalfOverOnePixel) {
    // Eroded once to the 3 x 3 middle; the kernel is 200 at its centre, 100 at
    // distance 1 and nothing on the diagonals (distance 1.41 > 1).
    const ShadowImage image = ComputeShadowImage(RectangleOutline(5, 5), Settings(0, 1));
    const Alphas expected = {
        {0, 100, 100, 100, 0},   {100, F, F, F, 100}, {100, F, F, F, 100},
        {100, F, F, F, 100},     {0, 100, 100, 100, 0},
    };
    EXPECT_EQ(AlphasOf(image), expected);
}

TEST(ShadowImage, SizeLargerThanSharpnessGrowsTheImageAndTheShape) {
    // Size 2, sharpness 0: no erosion, kernel radius 2 all at full darkness.
    const ShadowImage image = ComputeShadowImage(RectangleOutline(1, 1), Settings(2, 0));
    const Alphas expected = {
        {0, 0, F, 0, 0}, {0, F, F, F, 0}, {F, F, F, F, F}, {0, F, F, F, 0}, {0, 0, F, 0, 0},
    };
    EXPECT_EQ(AlphasOf(image), expected);
}

TEST(ShadowImage, RegionRowsGiveTheirOwnShape) {
    // A 3 x 2 outline whose top row holds only its middle pixel.
    const ShadowOutline outline{3, 2, {{1, 1}, {0, 2}}};
    const ShadowImage image = ComputeShadowImage(outline, Settings(1, 0));
    const Alphas expected = {
        {0, 0, F, 0, 0}, {0, F, F, F, 0}, {F, F, F, F, F}, {0, F, F, F, 0},
    };
    EXPECT_EQ(AlphasOf(image), expected);
}

TEST(ShadowImage, BorderRunsFollowAShorterNeighbour) {
    // The middle row is covered below only at its centre, so all but that
    // centre is border and shades the row beneath it.
    const ShadowOutline outline{7, 3, {{0, 6}, {0, 6}, {3, 3}}};
    const ShadowImage image = ComputeShadowImage(outline, Settings(1, 0));
    const Alphas expected = {
        {0, F, F, F, F, F, F, F, 0}, {F, F, F, F, F, F, F, F, F}, {F, F, F, F, F, F, F, F, F},
        {0, F, F, F, F, F, F, F, 0}, {0, 0, 0, 0, F, 0, 0, 0, 0},
    };
    EXPECT_EQ(AlphasOf(image), expected);
}

TEST(ShadowImage, NegativeSizeShrinksEvenlyOnAllSides) {
    // Erosion must see the parent rows cut off the image, or the shadow
    // would lose its top and bottom rows here.
    const ShadowImage image = ComputeShadowImage(RectangleOutline(5, 5), Settings(-1, 0));
    EXPECT_EQ(AlphasOf(image), Alphas(3, std::vector<int>(3, F)));
}

TEST(ShadowImage, NothingIsDrawnWhereTheParentLies) {
    // Sharpness 0 fills the whole 4 x 3 image; the parent, moved back by the
    // offsets, takes its part away.
    const struct {
        int xOffset, yOffset;
        Alphas expected;
    } cases[] = {
        {1, 1, {{0, 0, 0, F}, {0, 0, 0, F}, {F, F, F, F}}},
        {-1, 0, {{F, 0, 0, 0}, {F, 0, 0, 0}, {F, 0, 0, 0}}},
        {0, 2, {{0, 0, 0, 0}, {F, F, F, F}, {F, F, F, F}}},
        {0, 0, {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
        {-20, 20, {{F, F, F, F}, {F, F, F, F}, {F, F, F, F}}},
    };
    for (const auto& c : cases) {
        const ShadowImage image = ComputeShadowImage(RectangleOutline(4, 3), Settings(0, 0, c.xOffset, c.yOffset));
        EXPECT_EQ(AlphasOf(image), c.expected) << c.xOffset << "," << c.yOffset;
    }
}

TEST(ShadowImage, TheParentsRegionNotItsRectangleIsKeptClear) {
    // A parent whose top row is only its left pixel, its shadow one row
    // above it: only that pixel is cut from the shadow's lower row.
    const ShadowOutline outline{3, 2, {{0, 0}, {0, 2}}};
    const ShadowImage image = ComputeShadowImage(outline, Settings(0, 0, 0, -1));
    EXPECT_EQ(AlphasOf(image), (Alphas{{F, 0, 0}, {0, F, F}}));
}

TEST(ShadowImage, DefaultsShowOnlyTheFadeRightOfAndBelowTheParent) {
    const ShadowImage image = ComputeShadowImage(RectangleOutline(40, 30), CShadowSettings{});
    ASSERT_EQ(image.width, 40);
    ASSERT_EQ(image.height, 30);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 35; ++x)
            ASSERT_EQ(image.PixelAt(x, y), 0u) << x << "," << y;
    // The eroded shape ends at (34, 24); alpha = (1 - d / 6) * 200, rounded.
    const struct {
        int x, y, alpha;
    } cases[] = {
        {35, 15, 167}, {36, 15, 133}, {39, 15, 33},  // d = 1, 2, 5
        {20, 25, 167}, {20, 29, 33},                  // the same below
        {35, 25, 153},                                // d = 1.41
        {38, 28, 0},                                  // d = 5.66: outside the kernel's circle
        {39, 29, 0},                                  // d = 7.07
        {0, 29, 0},                                   // below the eroded shape's left end, d > 5
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(image.PixelAt(c.x, c.y) >> 24), c.alpha) << c.x << "," << c.y;
}

TEST(ShadowImage, InsideIsFullDarknessInTheColourPremultiplied) {
    CShadowSettings s = Settings(0, 2);
    ASSERT_TRUE(s.SetShadowDarkness(200));
    s.SetShadowColor(0x000080FF);  // red 255, green 128, blue 0
    const ShadowImage image = ComputeShadowImage(RectangleOutline(10, 10), s);
    for (int y = 2; y <= 7; ++y)
        for (int x = 2; x <= 7; ++x)
            ASSERT_EQ(image.PixelAt(x, y), 0xC8C86400u) << x << "," << y;
}

TEST(ShadowImage, RowsAreStoredBottomUp) {
    const ShadowImage image = ComputeShadowImage(RectangleOutline(4, 3), Settings(0, 0, 0, 2));
    // The shadow is clear only on its top row, which a DIB section keeps last.
    EXPECT_EQ(image.pixels.front(), 0xC8000000u);
    EXPECT_EQ(image.pixels.back(), 0u);
}

TEST(ShadowImage, KernelCells) {
    const struct {
        int size, sharpness, darkness;
        double d;
        uint32_t pixel;
    } cases[] = {
        {0, 5, 200, 0.0, 0xC8000000},
        {0, 5, 200, 5.0, 0x21000000},   // 33.3 rounds down
        {0, 5, 200, 5.01, 0},
        {2, 1, 200, 0.5, 0xC8000000},   // inside the inner radius
        {2, 1, 200, 1.0, 0xC8000000},   // at the inner radius the fade starts
        {2, 1, 200, 1.41421356, 0x9F000000},  // 158.6 rounds up
        {2, 1, 200, 2.0, 0x64000000},
        {0, 0, 255, 0.0, 0xFF000000},
        {0, 1, 1, 1.0, 0x01000000},     // 0.5 rounds up
        {-20, 20, 255, 20.0, 0x0C000000},
        {0, 5, 200, -1e300, 0xC8000000},  // no distance: the centre, never beyond it
        {0, 5, 200, std::nan(""), 0xC8000000},
    };
    for (const auto& c : cases) {
        CShadowSettings s = Settings(c.size, c.sharpness);
        ASSERT_TRUE(s.SetShadowDarkness(c.darkness));
        EXPECT_EQ(ShadowKernelPixel(c.d, s), c.pixel) << c.size << " " << c.sharpness << " " << c.d;
    }
}

TEST(ShadowImage, KernelPremultipliesEachChannel) {
    CShadowSettings s;
    ASSERT_TRUE(s.SetShadowDarkness(128));
    s.SetShadowColor(0x00FF4001);  // red 1, green 64, blue 255
    EXPECT_EQ(ShadowKernelPixel(0.0, s), 0x80002080u);
}

TEST(ShadowImage, BadOutlinesGiveEmptyOrClearImages) {
    const struct {
        ShadowOutline outline;
        int size;
        int width, height;
    } cases[] = {
        {RectangleOutline(0, 10), 0, 0, 0},
        {RectangleOutline(10, -1), 20, 0, 0},
        {RectangleOutline(INT_MAX, 2), 20, 0, 0},
        {RectangleOutline(2, INT_MAX), 0, 0, 0},
        {RectangleOutline(16384, 16384), 0, 0, 0},  // too many pixels
        {RectangleOutline(30, 30), -15, 0, 0},      // the size eats the window
        {ShadowOutline{6, 4, {}}, 0, 6, 4},          // no rows: nothing inside
        {ShadowOutline{6, 4, {{3, 1}, {0, -1}}}, 2, 10, 8},
    };
    for (const auto& c : cases) {
        const ShadowImage image = ComputeShadowImage(c.outline, Settings(c.size, 0));
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.pixels, std::vector<uint32_t>(static_cast<size_t>(c.width * c.height), 0));
    }
}

TEST(ShadowImage, ExtentsBeyondTheWidthAreCutToIt) {
    const ShadowOutline wild{3, 1, {{INT_MIN, INT_MAX}}};
    const ShadowImage image = ComputeShadowImage(wild, Settings(1, 0));
    const Alphas expected = {{0, F, F, F, 0}, {F, F, F, F, F}, {0, F, F, F, 0}};
    EXPECT_EQ(AlphasOf(image), expected);
}

TEST(ShadowImage, ExtremeSettings) {
    // One pixel grown by 20: the kernel of radius 20 just fills the image.
    const ShadowImage grown = ComputeShadowImage(RectangleOutline(1, 1), Settings(20, 20, -20, -20));
    ASSERT_EQ(grown.width, 41);
    ASSERT_EQ(grown.height, 41);
    EXPECT_EQ(grown.PixelAt(20, 20) >> 24, 200u);
    EXPECT_EQ(grown.PixelAt(0, 20) >> 24, 10u);  // (1 - 20 / 21) * 200
    EXPECT_EQ(grown.PixelAt(0, 0), 0u);
    // Eroded 40 times, a 41-pixel window has nothing left to shadow.
    const ShadowImage shrunk = ComputeShadowImage(RectangleOutline(41, 41), Settings(-20, 20, 20, 20));
    EXPECT_EQ(AlphasOf(shrunk), Alphas(1, std::vector<int>(1, 0)));
}

TEST(ShadowImage, SampledOutlineTakesEachRowsEnds) {
    // A disc of radius 2 and an empty sixth row.
    const ShadowOutline disc = SampleOutline(5, 6, [](int x, int y) {
        return (x - 2) * (x - 2) + (y - 2) * (y - 2) <= 4;
    });
    ASSERT_EQ(disc.rows.size(), 6u);
    const int ends[][2] = {{2, 2}, {1, 3}, {0, 4}, {1, 3}, {2, 2}};
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(disc.rows[static_cast<size_t>(y)].first, ends[y][0]);
        EXPECT_EQ(disc.rows[static_cast<size_t>(y)].last, ends[y][1]);
    }
    EXPECT_TRUE(disc.rows[5].Empty());
    EXPECT_TRUE(SampleOutline(5, INT_MAX, [](int, int) { return true; }).rows.empty());
}

}  // namespace
