#include "toolkit/surface/SurfaceDrawing.h"

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/surface/GdiRetry.h"
#include "toolkit/surface/GdiScope.h"

namespace SurfaceDrawing {

namespace {

constexpr int kShapeAttempts = 100;
constexpr int kLineAttempts = 1000;
constexpr int kDibAttempts = 100;
constexpr int kCopyAttempts = 100;
// The header size the toolkit has always written; GDI takes any size from
// that of BITMAPINFOHEADER up and finds no colour table at 24 and 32 bits.
constexpr DWORD kDibHeaderSize = 44;

COLOR16 Channel16(BYTE channel) {
    return static_cast<COLOR16>(channel << 8);
}

void FillGradient(CWindowSurface& s, COLORREF left, COLORREF right) {
    const auto gradientFill = s.Core().Apis().GradientFill;
    if (!gradientFill)
        return;
    const RECT& area = s.DrawingArea();
    TRIVERTEX vertices[2] = {
        {0, 0, Channel16(GetRValue(left)), Channel16(GetGValue(left)), Channel16(GetBValue(left)), 0},
        {area.right, area.bottom, Channel16(GetRValue(right)), Channel16(GetGValue(right)),
         Channel16(GetBValue(right)), 0},
    };
    GRADIENT_RECT rect = {0, 1};
    gradientFill(s.CurrentDC(), vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H);
}

void WaitWhilePainting(CWindowSurface& s) {
    while (s.Core().PaintingFlag().load() != 0)
        Sleep(0);
}

template <typename Draw>
void DrawShape(CWindowSurface& s, int x, int y, int width, int height, COLORREF fill, int pen, Draw draw) {
    WaitWhilePainting(s);
    HDC dc = s.CurrentDC();
    CGdiObject<HPEN> outline(CreatePen(PS_SOLID, s.thickness, pen < 0 ? fill : static_cast<COLORREF>(pen)));
    CGdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    CScopedSelect penSelection(dc, outline.Get());
    CScopedSelect brushSelection(dc, brush.Get());
    const POINT o = s.Origin();
    const int left = x + o.x, top = y + o.y;
    RetryGdi(kShapeAttempts, 1, [&] { return draw(dc, left, top, left + width, top + height) != FALSE; });
}

int RowStride(int width, int bitsPerPixel) {
    return bitsPerPixel == 24 ? (width * 3 + 3) & ~3 : width * 4;
}

// A header with room for the size it claims.
struct DibHeader {
    BITMAPINFOHEADER header;
    DWORD spare;
};

}  // namespace

void Cls(CWindowSurface& s, int colour1, int colour2) {
    HDC dc = s.CurrentDC();
    if (colour1 < 0 && colour2 < 0) {
        if (s.gradient.on)
            FillGradient(s, s.gradient.left, s.gradient.right);
        else
            FillRect(dc, &s.ClientRect(), s.BackgroundBrush());
    } else if (colour2 < 0) {
        s.SetBackgroundColour(static_cast<COLORREF>(colour1));
        FillRect(dc, &s.ClientRect(), s.BackgroundBrush());
        s.gradient.on = false;
    } else {
        s.gradient = {true, static_cast<COLORREF>(colour1), static_cast<COLORREF>(colour2)};
        FillGradient(s, s.gradient.left, s.gradient.right);
    }
    s.cursor = {0, 0};
    GdiFlush();
}

void Rectangle(CWindowSurface& s, int x, int y, int width, int height, COLORREF fill, int pen) {
    DrawShape(s, x, y, width, height, fill, pen, ::Rectangle);
}

void Ellipse(CWindowSurface& s, int x, int y, int width, int height, COLORREF fill, int pen) {
    DrawShape(s, x, y, width, height, fill, pen, ::Ellipse);
}

void Line(CWindowSurface& s, int x1, int y1, int x2, int y2, COLORREF colour) {
    HDC dc = s.CurrentDC();
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, s.thickness, colour));
    CScopedSelect penSelection(dc, pen.Get());
    const POINT o = s.Origin();
    MoveToEx(dc, x1 + o.x, y1 + o.y, nullptr);
    RetryGdi(kLineAttempts, 0, [&] { return LineTo(dc, x2 + o.x, y2 + o.y) != FALSE; });
}

void PutDIB(HDC dc, int x, int y, int width, int lines, const void* pixels, int bitsPerPixel, RowOrder order) {
    if (!dc || !pixels || width <= 0 || lines == 0)
        return;
    const bool topDown = order == RowOrder::TopDown || lines < 0;
    const int rows = lines < 0 ? -lines : lines;
    DibHeader info = {};
    info.header.biSize = kDibHeaderSize;
    info.header.biWidth = width;
    info.header.biHeight = topDown ? -rows : rows;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = static_cast<DWORD>(RowStride(width, bitsPerPixel)) * static_cast<DWORD>(rows);
    const auto* bitmapInfo = reinterpret_cast<const BITMAPINFO*>(&info);
    RetryGdi(kDibAttempts, 0, [&] {
        return SetDIBitsToDevice(dc, x, y, width, rows, 0, 0, 0, rows, pixels, bitmapInfo, DIB_RGB_COLORS) != 0;
    });
}

void PutDIB24(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels) {
    PutDIB(s.CurrentDC(), x, y, width, lines, pixels, 24, RowOrder::BottomUpUnlessNegative);
}

void PutDIB24TopDown(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels) {
    PutDIB(s.CurrentDC(), x, y, width, lines < 0 ? -lines : lines, pixels, 24, RowOrder::TopDown);
}

void PutDIB32(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels) {
    PutDIB(s.CurrentDC(), x, y, width, lines < 0 ? -lines : lines, pixels, 32, RowOrder::BottomUpUnlessNegative);
}

void PutDIB32TopDown(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels) {
    PutDIB(s.CurrentDC(), x, y, width, lines < 0 ? -lines : lines, pixels, 32, RowOrder::TopDown);
}

HBITMAP LoadBitmapFile(const char* path, SIZE& size) {
    size = {0, 0};
    if (!path)
        return nullptr;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    size = {info.bmWidth, info.bmHeight};
    return bitmap;
}

bool DrawBitmap(CWindowSurface& s, HBITMAP bitmap, int x, int y, SIZE size) {
    CMemoryDC source(s.CurrentDC());
    if (!source)
        return false;
    CScopedSelect selection(source.Get(), bitmap);
    return BitBlt(s.CurrentDC(), x, y, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY) != FALSE;
}

int PutBitmapFile(CWindowSurface& s, const char* path, int x, int y) {
    s.lastImage = {};
    SIZE size;
    CGdiObject<HBITMAP> bitmap(LoadBitmapFile(path, size));
    if (!bitmap)
        return 0;
    DrawBitmap(s, bitmap.Get(), x, y, size);
    s.lastImage = {size.cx, size.cy, {x, y, x + size.cx, y + size.cy}};
    return 1;
}

void CopyArea(CWindowSurface& target, int x, int y, int width, int height, const CWindowSurface& source,
              int sourceX, int sourceY) {
    RetryGdi(kCopyAttempts, 0, [&] {
        return BitBlt(target.CurrentDC(), x, y, width, height, source.CurrentDC(), sourceX, sourceY, SRCCOPY) !=
               FALSE;
    });
}

void RestoreArea(CWindowSurface& s, const CWindowSurface& saved) {
    CopyArea(s, saved.sourcePosition.x, saved.sourcePosition.y, saved.Width(), saved.Height(), saved, 0, 0);
}

void PutBitmap(CWindowSurface& s, const CWindowSurface& source, int x, int y) {
    CopyArea(s, x, y, source.Width(), source.Height(), source, 0, 0);
}

void StretchPut(CWindowSurface& s, const CWindowSurface& source, int x, int y, int width, int height) {
    SetStretchBltMode(s.CurrentDC(), COLORONCOLOR);
    RetryGdi(kCopyAttempts, 0, [&] {
        return StretchBlt(s.CurrentDC(), x, y, width, height, source.CurrentDC(), 0, 0, source.Width(),
                          source.Height(), SRCCOPY) != FALSE;
    });
}

}  // namespace SurfaceDrawing
