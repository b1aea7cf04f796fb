// The drawing operations of a surface: clearing and gradients, shapes,
// device-independent bitmaps, bitmap files and copies between surfaces. Each
// draws into the surface's current context (the back buffer while buffered)
// and expects the caller to hold the surface (CWindowSurface::Hold).
#pragma once

#include "toolkit/surface/WindowSurface.h"

namespace SurfaceDrawing {

// Both colours below 0 repeat the last clear; only the second below 0 makes
// the first the background colour; both given draw a horizontal gradient.
void Cls(CWindowSurface& s, int colour1, int colour2);
// A pen colour below 0 outlines in the fill colour.
void Rectangle(CWindowSurface& s, int x, int y, int width, int height, COLORREF fill, int pen);
void Ellipse(CWindowSurface& s, int x, int y, int width, int height, COLORREF fill, int pen);
void Line(CWindowSurface& s, int x1, int y1, int x2, int y2, COLORREF colour);

// Device-independent pixels at (x, y) of a context, not moved by the origin.
enum class RowOrder { BottomUpUnlessNegative, TopDown };
void PutDIB(HDC dc, int x, int y, int width, int lines, const void* pixels, int bitsPerPixel, RowOrder order);
void PutDIB24(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels);
void PutDIB24TopDown(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels);
void PutDIB32(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels);
void PutDIB32TopDown(CWindowSurface& s, int x, int y, int width, int lines, const void* pixels);

// A .bmp file drawn unscaled at (x, y); 0 when it cannot be loaded.
int PutBitmapFile(CWindowSurface& s, const char* path, int x, int y);
// A .bmp file loaded at its own size, or null.
HBITMAP LoadBitmapFile(const char* path, SIZE& size);
// Copies a bitmap into the surface's current context at (x, y).
bool DrawBitmap(CWindowSurface& s, HBITMAP bitmap, int x, int y, SIZE size);

// Copies between surfaces: the whole source at its saved source position,
// at (x, y), or scaled into a box.
void CopyArea(CWindowSurface& target, int x, int y, int width, int height, const CWindowSurface& source,
              int sourceX, int sourceY);
void RestoreArea(CWindowSurface& s, const CWindowSurface& saved);
void PutBitmap(CWindowSurface& s, const CWindowSurface& source, int x, int y);
void StretchPut(CWindowSurface& s, const CWindowSurface& source, int x, int y, int width, int height);

}  // namespace SurfaceDrawing
