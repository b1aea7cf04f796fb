// The drawing operations by handle: the Window. forms for toolkit windows
// and the Bitmap. forms for off-screen surfaces. Each returns 0, doing
// nothing, unless the handle names a live item of its kind; each holds the
// surface while it draws.
#pragma once

#include <cstdint>

#include "toolkit/surface/SurfaceDrawing.h"

class CCorvaneCore;
struct CorItem;

class CSurfaceOps {
  public:
    CSurfaceOps(CCorvaneCore& core, int kind) : m_stCore(core), m_nKind(kind) {}

    int SetbgColor(int handle, COLORREF colour);
    int SetfgColor(int handle, COLORREF colour);
    int SetBgMode(int handle, bool opaque);
    int Cls(int handle, int colour1 = -1, int colour2 = -1);
    int Rectangle(int handle, int x, int y, int width, int height, COLORREF fill, int pen = -1);
    int Ellipse(int handle, int x, int y, int width, int height, COLORREF fill, int pen = -1);
    int Line(int handle, int x1, int y1, int x2, int y2, COLORREF colour);
    int SetThickness(int handle, int width);
    int PutDIB24(int handle, int x, int y, int width, int lines, const void* pixels);
    int PutDIB24TopDown(int handle, int x, int y, int width, int lines, const void* pixels);
    int PutDIB32(int handle, int x, int y, int width, int lines, const void* pixels);
    int PutDIB32TopDown(int handle, int x, int y, int width, int lines, const void* pixels);
    int PutBitmapf(int handle, const char* path, int x, int y);
    // A .bmp file in a new off-screen surface of its size; its handle or 0.
    int LoadBitmap(const char* path);
    // A new off-screen surface holding a copy of the area; its handle or 0.
    int SaveArea(int handle, int x, int y, int width, int height);
    int RestoreArea(int handle, int saved);
    int PutBitmap(int handle, int source, int x, int y);
    int StretchPut(int handle, int source, int x, int y, int width, int height);
    int GetWidth(int handle);
    int GetHeight(int handle);

    int Present(int handle);
    int Update(int handle);
    int DontUpdate(int handle);
    int AutoUpdate(int handle);
    int AutoBuffer(int handle);
    int DontBuffer(int handle, bool leaveBuffering = false);
    int AlwaysBuffer(int handle);
    int BeginBuffered(int handle);
    int EndBuffered(int handle);
    // Fonts: a font text applied to the surface (the font or 0); a font
    // selected into its contexts without becoming its font; look-ups in the
    // named-font registry.
    HFONT SetFont(int handle, const char* fontText, const char* name = nullptr, uint8_t* flags = nullptr);
    HFONT SelectFont(int handle, HFONT font);
    HFONT GetFontByName(int handle, const char* name);
    const char* GetFontName(int handle, HFONT font);

    // A clipped sub-area with its own origin; null switches it off.
    int SetInnerArea(int handle, const RECT* area);

    // The surface of a live item of this kind, or null.
    CWindowSurface* Surface(int handle) const;

  protected:
    CCorvaneCore& m_stCore;

  private:
    template <typename Operation>
    int HoldAndDraw(int handle, Operation draw);
    template <typename Operation>
    int WithSurface(int handle, Operation operation);
    template <typename Operation>
    int HoldAndDrawFrom(int handle, int source, Operation draw);

    int m_nKind;
};
