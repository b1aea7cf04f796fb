// WriteShadow: the text is drawn black on white at twice its size, blurred
// into a mask, and the surface's own pixels under it are darkened by the
// mask; the text is then drawn over the shadow, offset to the upper left.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/surface/GdiScope.h"
#include "toolkit/text/TextOutput.h"

namespace TextOutput {

namespace {

constexpr size_t kMaxShadowText = 299;

// A top-down 32-bit bitmap whose pixels can be read and written directly.
class CPixelBitmap {
  public:
    CPixelBitmap(HDC compatible, int width, int height) : m_nWidth(width), m_nHeight(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_stBitmap.Reset(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_pPixels = static_cast<uint32_t*>(bits);
    }
    explicit operator bool() const { return m_stBitmap && m_pPixels; }
    HBITMAP Get() const { return m_stBitmap.Get(); }
    uint32_t* Pixels() const { return m_pPixels; }
    size_t Count() const { return static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

  private:
    CGdiObject<HBITMAP> m_stBitmap;
    uint32_t* m_pPixels = nullptr;
    int m_nWidth, m_nHeight;
};

uint32_t Green(uint32_t pixel) {
    return (pixel >> 8) & 0xFF;
}

uint32_t Grey(uint32_t value) {
    return value | (value << 8) | (value << 16);
}

// Each pass averages the 3 by 3 neighbourhood of every interior pixel; the
// averages go to a separate plane first, so a pass reads only the previous
// pass's values.
void Blur(CPixelBitmap& mask, int passes) {
    const int w = mask.Width(), h = mask.Height();
    uint32_t* p = mask.Pixels();
    if (passes < 0) {
        for (size_t i = 0; i < mask.Count(); ++i) {
            const uint32_t red = (p[i] >> 16) & 0xFF;
            p[i] = Grey((2 * Green(p[i]) + 2 * red) / 4);
        }
        return;
    }
    std::vector<uint32_t> averages(mask.Count());
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 1; y < h - 1; ++y) {
            for (int x = 1; x < w - 1; ++x) {
                uint32_t sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += Green(p[(y + dy) * w + x + dx]);
                averages[static_cast<size_t>(y) * w + x] = sum / 9;
            }
        }
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < w - 1; ++x)
                p[y * w + x] = Grey(averages[static_cast<size_t>(y) * w + x]);
    }
    for (size_t i = 0; i < mask.Count(); ++i)
        p[i] = Grey(Green(p[i]));
}

void Darken(CPixelBitmap& background, const CPixelBitmap& mask, int strength) {
    uint32_t* b = background.Pixels();
    const uint32_t* m = mask.Pixels();
    for (size_t i = 0; i < background.Count(); ++i) {
        const int masked = 255 - ((255 - static_cast<int>(Green(m[i]))) * strength) / 256;
        const uint32_t factor = static_cast<uint32_t>(std::clamp(masked, 0, 255)) + 1;
        const uint32_t blue = (b[i] & 0xFF) * factor / 256;
        const uint32_t green = ((b[i] >> 8) & 0xFF) * factor / 256;
        const uint32_t red = ((b[i] >> 16) & 0xFF) * factor / 256;
        b[i] = blue | (green << 8) | (red << 16);
    }
}

}  // namespace

void DrawShadowed(CWindowSurface& s, int x, int y, const char* text, const ShadowStyle& style) {
    HDC target = s.CurrentDC();
    if (!target || !text || !*text)
        return;
    s.SelectFont(s.CurrentFont());
    const int length = static_cast<int>(std::min(std::strlen(text), kMaxShadowText));
    CMemoryDC dc(s.WindowDC());
    CScopedSelect font(dc.Get(), s.CurrentFont());
    SIZE size = {};
    TEXTMETRICA metrics = {};
    GetTextExtentPoint32A(dc.Get(), text, length, &size);
    GetTextMetricsA(dc.Get(), &metrics);
    const int w = size.cx, h = metrics.tmHeight + metrics.tmExternalLeading;
    if (w <= 0 || h <= 0)
        return;
    const int ox = w - w / 2, oy = h - h / 2;

    CPixelBitmap mask(dc.Get(), 2 * w, 2 * h);
    CPixelBitmap background(dc.Get(), 2 * w, 2 * h);
    if (!mask || !background)
        return;
    {
        CScopedSelect selection(dc.Get(), mask.Get());
        const RECT all = {0, 0, 2 * w, 2 * h};
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), RGB(0, 0, 0));
        TextOutA(dc.Get(), ox, oy, text, length);
        GdiFlush();
    }
    Blur(mask, style.blurPasses);

    CScopedSelect selection(dc.Get(), background.Get());
    BitBlt(dc.Get(), 0, 0, 2 * w, 2 * h, target, x - ox, y - oy, SRCCOPY);
    GdiFlush();
    Darken(background, mask, style.strength);
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), s.TextColour());
    TextOutA(dc.Get(), ox - style.offsetX, oy - style.offsetY, text, length);
    GdiFlush();
    // The memory bitmap's (ox, oy) stands for the surface's (x, y).
    const int fromX = std::max(0, ox - style.offsetX), fromY = std::max(0, oy - style.offsetY);
    BitBlt(target, x - ox + fromX, y - oy + fromY, 2 * w - fromX, 2 * h - fromY, dc.Get(), fromX, fromY, SRCCOPY);
    s.Present();
    MSG message;
    PeekMessageA(&message, s.Window(), 0, 0, PM_NOREMOVE);
}

}  // namespace TextOutput
