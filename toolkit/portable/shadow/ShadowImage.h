// The drop shadow's image, computed from the parent's outline and the
// shadow settings without any Win32 call.
//
// How the Win32 side uses it: on each update take the parent's window
// rectangle; build the outline with RectangleOutline, or, when the parent has
// a window region, with SampleOutline and a point-in-region test; call
// ComputeShadowImage; create a 32-bit bottom-up DIB section of the image's
// width and (positive) height and copy `pixels` into it as they stand; place
// the shadow window at ShadowWindowPosition (ShadowSettings.h) with the
// image's size and push the DIB with UpdateLayeredWindow (per-pixel alpha).
// An image of width 0 means there is nothing to show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/portable/shadow/ShadowSettings.h"

// Larger images are refused (width 0): no screen shows them, and their
// buffer alone would be hundreds of megabytes.
constexpr int kMaxShadowSide = 16384;
constexpr int64_t kMaxShadowPixels = int64_t{1} << 26;

// The pixels of one row inside the outline, both ends included; a row with
// first > last has none.
struct RowExtent {
    int first = 0;
    int last = -1;

    bool Empty() const { return first > last; }
};

// The parent's outline, one extent per row from the top, in the parent's
// window coordinates. Rows missing from `rows` are empty; extents reaching
// outside the width are cut to it.
struct ShadowOutline {
    int width = 0;
    int height = 0;
    std::vector<RowExtent> rows;
};

ShadowOutline RectangleOutline(int width, int height);

// Each row's first pixel inside, scanning from the left, and its last,
// scanning from the right back to the first. `inside(x, y)` is the parent's
// point-in-region test; the outline is taken to have no holes between the
// two ends. A parent too tall for any shadow gets no rows.
template <class InsideTest>
ShadowOutline SampleOutline(int width, int height, InsideTest inside) {
    ShadowOutline outline{width, height, {}};
    if (width <= 0 || height <= 0 || height > kMaxShadowSide)
        return outline;
    outline.rows.resize(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        int first = 0;
        while (first < width && !inside(first, y))
            ++first;
        int last = width - 1;
        while (last > first && !inside(last, y))
            --last;
        outline.rows[static_cast<size_t>(y)] = {first, first < width ? last : -1};
    }
    return outline;
}

// Premultiplied 32-bit pixels: alpha in the top byte, then red, green and
// blue. Rows run bottom-up, as a DIB section with positive height holds
// them; PixelAt takes top-down coordinates.
struct ShadowImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t PixelAt(int x, int y) const {
        return pixels[static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) +
                      static_cast<size_t>(x)];
    }
};

// The image is (width + 2 * size) by (height + 2 * size): the outline eroded
// by (sharpness - size) when that is positive, its border stamped with a
// round kernel of radius max(sharpness, size) that fades over sharpness + 1
// pixels, the inside at full darkness, and nothing where the parent itself
// lies once the offsets are applied.
ShadowImage ComputeShadowImage(const ShadowOutline& outline, const CShadowSettings& settings);

// One kernel cell's pixel value, for distance d from its centre.
uint32_t ShadowKernelPixel(double d, const CShadowSettings& settings);
