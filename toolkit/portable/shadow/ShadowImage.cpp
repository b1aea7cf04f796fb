#include "toolkit/portable/shadow/ShadowImage.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A row span in image coordinates. Empty spans are far outside any image so
// that erosion, which only moves them further out, keeps them empty.
struct Span {
    int left;
    int right;

    bool Empty() const { return left > right; }
};

constexpr Span kEmptySpan{INT_MAX / 2, INT_MIN / 2};

uint32_t PremultipliedPixel(int alpha, uint32_t colour) {
    const auto scaled = [alpha](uint32_t channel) { return channel * static_cast<uint32_t>(alpha) / 255; };
    const uint32_t red = colour & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = (colour >> 16) & 0xFF;
    return static_cast<uint32_t>(alpha) << 24 | scaled(red) << 16 | scaled(green) << 8 | scaled(blue);
}

int KernelRadius(const CShadowSettings& s) {
    return std::max(s.Sharpness(), s.Size());
}

int InnerRadius(const CShadowSettings& s) {
    return s.Size() > s.Sharpness() ? s.Size() - s.Sharpness() : 0;
}

// The part of parent row `first..last` that is on the image, moved by `shift`
// columns; empty when nothing of it is.
Span ClippedSpan(RowExtent extent, int parentWidth, int shift) {
    const int first = std::max(extent.first, 0);
    const int last = std::min(extent.last, parentWidth - 1);
    if (first > last)
        return kEmptySpan;
    return {first + shift, last + shift};
}

RowExtent OutlineRow(const ShadowOutline& outline, int y) {
    if (y < 0 || y >= outline.height || static_cast<size_t>(y) >= outline.rows.size())
        return {};
    return outline.rows[static_cast<size_t>(y)];
}

// The shape's row spans, indexed from image row `top`. Parent row y lies on
// image row y + size. A negative size cuts parent rows off the image; they are
// kept here all the same, because erosion must see them as inside, or the
// shadow would shrink more at the top and bottom than at the sides.
struct ShapeRows {
    int top = 0;
    std::vector<Span> spans;

    int Bottom() const { return top + static_cast<int>(spans.size()) - 1; }

    Span At(int j) const {
        if (j < top || j > Bottom())
            return kEmptySpan;
        return spans[static_cast<size_t>(j - top)];
    }
};

ShapeRows ShapeLimits(const ShadowOutline& outline, int size) {
    ShapeRows shape;
    shape.top = std::min(0, size);
    const int bottom = outline.height + std::max(size, 0) + size;
    shape.spans.resize(static_cast<size_t>(bottom - shape.top), kEmptySpan);
    for (int j = shape.top; j < bottom; ++j)
        shape.spans[static_cast<size_t>(j - shape.top)] = ClippedSpan(OutlineRow(outline, j - size), outline.width, size);
    return shape;
}

void ErodeOnce(ShapeRows& shape) {
    const ShapeRows before = shape;
    for (int j = shape.top; j <= shape.Bottom(); ++j) {
        const Span above = before.At(j - 1);
        const Span own = before.At(j);
        const Span below = before.At(j + 1);
        shape.spans[static_cast<size_t>(j - shape.top)] = {std::max({above.left, own.left, below.left}) + 1,
                                                           std::min({above.right, own.right, below.right}) - 1};
    }
}

class ShadowCanvas {
public:
    ShadowCanvas(ShadowImage& image, const CShadowSettings& settings)
        : m_stImage(image), m_nRadius(KernelRadius(settings)) {
        const int side = 2 * m_nRadius + 1;
        m_stKernel.resize(static_cast<size_t>(side) * static_cast<size_t>(side));
        for (int dy = -m_nRadius; dy <= m_nRadius; ++dy)
            for (int dx = -m_nRadius; dx <= m_nRadius; ++dx)
                m_stKernel[KernelIndex(dx, dy)] = ShadowKernelPixel(std::hypot(dx, dy), settings);
    }

    void StampRun(int j, int from, int to) {
        for (int x = from; x <= to; ++x)
            Stamp(x, j);
    }

    // Cut to the image, so spans of any extent are safe.
    void FillRun(int j, int from, int to, uint32_t value) {
        if (j < 0 || j >= m_stImage.height)
            return;
        const int start = std::max(from, 0);
        const int end = std::min(to, m_stImage.width - 1);
        if (start > end)
            return;
        uint32_t* row = Row(j);
        std::fill(row + start, row + end + 1, value);
    }

private:
    size_t KernelIndex(int dx, int dy) const {
        const int side = 2 * m_nRadius + 1;
        return static_cast<size_t>(dy + m_nRadius) * static_cast<size_t>(side) +
               static_cast<size_t>(dx + m_nRadius);
    }

    uint32_t* Row(int j) {
        return m_stImage.pixels.data() +
               static_cast<size_t>(m_stImage.height - 1 - j) * static_cast<size_t>(m_stImage.width);
    }

    void Stamp(int cx, int cy) {
        const int top = std::max(cy - m_nRadius, 0);
        const int bottom = std::min(cy + m_nRadius, m_stImage.height - 1);
        const int left = std::max(cx - m_nRadius, 0);
        const int right = std::min(cx + m_nRadius, m_stImage.width - 1);
        for (int y = top; y <= bottom; ++y) {
            uint32_t* row = Row(y);
            const uint32_t* cells = &m_stKernel[KernelIndex(0, y - cy)];
            for (int x = left; x <= right; ++x)
                row[x] = std::max(row[x], cells[x - cx]);
        }
    }

    ShadowImage& m_stImage;
    int m_nRadius;
    std::vector<uint32_t> m_stKernel;
};

// A row's border is the run at each end not covered by both neighbouring
// rows; its end pixels always belong to it, since the fade runs sideways
// from them. An empty neighbour covers nothing, so the two runs then meet
// and the whole row is stamped.
void StampRowBorder(ShadowCanvas& canvas, const ShapeRows& shape, int j) {
    const Span own = shape.At(j);
    if (own.Empty())
        return;
    const Span above = shape.At(j - 1);
    const Span below = shape.At(j + 1);
    const int coveredLeft = std::max(above.left, below.left);
    const int coveredRight = std::min(above.right, below.right);
    const int leftEnd = std::max(own.left, std::min(own.right, coveredLeft - 1));
    const int rightStart = std::min(own.right, std::max(own.left, coveredRight + 1));
    if (leftEnd + 1 >= rightStart) {
        canvas.StampRun(j, own.left, own.right);
        return;
    }
    canvas.StampRun(j, own.left, leftEnd);
    canvas.StampRun(j, rightStart, own.right);
}

// The shadow window lies above its parent, so anything drawn where the parent
// is would darken the parent itself.
void ClearUnderParent(ShadowCanvas& canvas, const ShadowOutline& outline, const CShadowSettings& s) {
    const int columnShift = s.Size() - s.XOffset();
    const int rowShift = s.Size() - s.YOffset();
    for (int y = 0; y < outline.height; ++y) {
        const Span under = ClippedSpan(OutlineRow(outline, y), outline.width, columnShift);
        if (!under.Empty())
            canvas.FillRun(y + rowShift, under.left, under.right, 0);
    }
}

bool ImageFits(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxShadowSide && height <= kMaxShadowSide &&
           width * height <= kMaxShadowPixels;
}

}  // namespace

ShadowOutline RectangleOutline(int width, int height) {
    ShadowOutline outline{width, height, {}};
    if (width > 0 && height > 0 && height <= kMaxShadowSide)
        outline.rows.assign(static_cast<size_t>(height), RowExtent{0, width - 1});
    return outline;
}

uint32_t ShadowKernelPixel(double d, const CShadowSettings& s) {
    const int inner = InnerRadius(s);
    // Anything but a distance would fade above full darkness.
    if (!(d >= 0) || d < inner)
        return PremultipliedPixel(s.Darkness(), s.Colour());
    if (d > KernelRadius(s))
        return 0;
    const double fade = 1.0 - (d - inner) / (s.Sharpness() + 1);
    const int alpha = static_cast<int>(std::floor(fade * s.Darkness() + 0.5));
    return PremultipliedPixel(alpha, s.Colour());
}

ShadowImage ComputeShadowImage(const ShadowOutline& outline, const CShadowSettings& s) {
    const int64_t width = int64_t{outline.width} + 2 * s.Size();
    const int64_t height = int64_t{outline.height} + 2 * s.Size();
    ShadowImage image;
    if (outline.width <= 0 || outline.height <= 0 || !ImageFits(width, height))
        return image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<size_t>(width * height), 0);

    ShapeRows shape = ShapeLimits(outline, s.Size());
    for (int step = s.Size(); step < s.Sharpness(); ++step)
        ErodeOnce(shape);

    ShadowCanvas canvas(image, s);
    for (int j = shape.top; j <= shape.Bottom(); ++j)
        StampRowBorder(canvas, shape, j);
    const uint32_t full = PremultipliedPixel(s.Darkness(), s.Colour());
    for (int j = shape.top; j <= shape.Bottom(); ++j)
        canvas.FillRun(j, shape.At(j).left, shape.At(j).right, full);
    ClearUnderParent(canvas, outline, s);
    return image;
}
