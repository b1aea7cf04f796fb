#include "toolkit/surface/SurfaceOps.h"

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/surface/GdiScope.h"

namespace {

constexpr int kDone = 1;

// Copies between surfaces hold both, the one with the lower handle first, so
// that two threads copying between the same two surfaces in opposite
// directions cannot hold one each. False when either surface was gone or
// busy, and so nothing was drawn.
template <typename Operation>
bool HoldBoth(CWindowSurface& target, int targetHandle, CWindowSurface& source, int sourceHandle, Operation draw) {
    const bool targetFirst = targetHandle < sourceHandle;
    CWindowSurface& first = targetFirst ? target : source;
    CWindowSurface& second = targetFirst ? source : target;
    bool drawn = false;
    first.Hold(CSurfaceBusy::kDrawing, [&](CWindowSurface&) {
        drawn = second.Hold(CSurfaceBusy::kDrawing, [&](CWindowSurface&) { draw(target, source); });
    });
    return drawn;
}

}  // namespace

CWindowSurface* CSurfaceOps::Surface(int handle) const {
    CorItem* item = m_stCore.FindLiveItem(handle, m_nKind);
    return item ? item->surface.get() : nullptr;
}

template <typename Operation>
int CSurfaceOps::HoldAndDraw(int handle, Operation draw) {
    CWindowSurface* s = Surface(handle);
    if (!s)
        return 0;
    return s->Hold(CSurfaceBusy::kDrawing, draw) ? kDone : 0;
}

template <typename Operation>
int CSurfaceOps::HoldAndDrawFrom(int handle, int source, Operation draw) {
    CWindowSurface* target = Surface(handle);
    CorItem* sourceItem = m_stCore.FindLiveItem(source, kKindBitmap);
    if (!target || !sourceItem || handle == source)
        return 0;
    return HoldBoth(*target, handle, *sourceItem->surface, source, draw) ? kDone : 0;
}

int CSurfaceOps::SetbgColor(int handle, COLORREF colour) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { s.SetBackgroundColour(colour); });
}

int CSurfaceOps::SetfgColor(int handle, COLORREF colour) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { s.SetTextColour(colour); });
}

int CSurfaceOps::SetBgMode(int handle, bool opaque) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { s.SetBgMode(opaque); });
}

int CSurfaceOps::Cls(int handle, int colour1, int colour2) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { SurfaceDrawing::Cls(s, colour1, colour2); });
}

int CSurfaceOps::Rectangle(int handle, int x, int y, int width, int height, COLORREF fill, int pen) {
    return HoldAndDraw(handle,
                       [&](CWindowSurface& s) { SurfaceDrawing::Rectangle(s, x, y, width, height, fill, pen); });
}

int CSurfaceOps::Ellipse(int handle, int x, int y, int width, int height, COLORREF fill, int pen) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { SurfaceDrawing::Ellipse(s, x, y, width, height, fill, pen); });
}

int CSurfaceOps::Line(int handle, int x1, int y1, int x2, int y2, COLORREF colour) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { SurfaceDrawing::Line(s, x1, y1, x2, y2, colour); });
}

int CSurfaceOps::SetThickness(int handle, int width) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { s.thickness = width; });
}

int CSurfaceOps::PutDIB24(int handle, int x, int y, int width, int lines, const void* pixels) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { SurfaceDrawing::PutDIB24(s, x, y, width, lines, pixels); });
}

int CSurfaceOps::PutDIB24TopDown(int handle, int x, int y, int width, int lines, const void* pixels) {
    return HoldAndDraw(handle,
                       [&](CWindowSurface& s) { SurfaceDrawing::PutDIB24TopDown(s, x, y, width, lines, pixels); });
}

int CSurfaceOps::PutDIB32(int handle, int x, int y, int width, int lines, const void* pixels) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { SurfaceDrawing::PutDIB32(s, x, y, width, lines, pixels); });
}

int CSurfaceOps::PutDIB32TopDown(int handle, int x, int y, int width, int lines, const void* pixels) {
    return HoldAndDraw(handle,
                       [&](CWindowSurface& s) { SurfaceDrawing::PutDIB32TopDown(s, x, y, width, lines, pixels); });
}

int CSurfaceOps::PutBitmapf(int handle, const char* path, int x, int y) {
    int result = 0;
    HoldAndDraw(handle, [&](CWindowSurface& s) { result = SurfaceDrawing::PutBitmapFile(s, path, x, y); });
    return result;
}

int CSurfaceOps::LoadBitmap(const char* path) {
    SIZE size;
    CGdiObject<HBITMAP> bitmap(SurfaceDrawing::LoadBitmapFile(path, size));
    if (!bitmap)
        return 0;
    const int handle = m_stCore.CreateBitmap(size.cx, size.cy);
    CorItem* item = m_stCore.FindLiveItem(handle, kKindBitmap);
    if (!item)
        return 0;
    item->surface->Hold(CSurfaceBusy::kDrawing,
                        [&](CWindowSurface& s) { SurfaceDrawing::DrawBitmap(s, bitmap.Get(), 0, 0, size); });
    return handle;
}

int CSurfaceOps::SaveArea(int handle, int x, int y, int width, int height) {
    CWindowSurface* source = Surface(handle);
    if (!source)
        return 0;
    const int saved = m_stCore.CreateBitmap(width, height);
    CorItem* item = m_stCore.FindLiveItem(saved, kKindBitmap);
    if (!item)
        return 0;
    item->surface->sourcePosition = {x, y};
    HoldBoth(*item->surface, saved, *source, handle, [&](CWindowSurface& to, CWindowSurface& from) {
        SurfaceDrawing::CopyArea(to, 0, 0, width, height, from, x, y);
    });
    return saved;
}

int CSurfaceOps::RestoreArea(int handle, int saved) {
    return HoldAndDrawFrom(handle, saved,
                           [](CWindowSurface& s, CWindowSurface& from) { SurfaceDrawing::RestoreArea(s, from); });
}

int CSurfaceOps::PutBitmap(int handle, int source, int x, int y) {
    return HoldAndDrawFrom(handle, source,
                           [&](CWindowSurface& s, CWindowSurface& from) { SurfaceDrawing::PutBitmap(s, from, x, y); });
}

int CSurfaceOps::StretchPut(int handle, int source, int x, int y, int width, int height) {
    return HoldAndDrawFrom(handle, source, [&](CWindowSurface& s, CWindowSurface& from) {
        SurfaceDrawing::StretchPut(s, from, x, y, width, height);
    });
}

int CSurfaceOps::GetWidth(int handle) {
    CWindowSurface* s = Surface(handle);
    return s ? s->Width() : 0;
}

int CSurfaceOps::GetHeight(int handle) {
    CWindowSurface* s = Surface(handle);
    return s ? s->Height() : 0;
}

int CSurfaceOps::Present(int handle) {
    return HoldAndDraw(handle, [](CWindowSurface& s) { s.Present(); });
}

int CSurfaceOps::Update(int handle) {
    return HoldAndDraw(handle, [](CWindowSurface& s) { s.Update(); });
}

int CSurfaceOps::DontUpdate(int handle) {
    return HoldAndDraw(handle, [](CWindowSurface& s) { s.DontUpdate(); });
}

int CSurfaceOps::AutoUpdate(int handle) {
    return HoldAndDraw(handle, [](CWindowSurface& s) { s.AutoUpdate(); });
}

// The buffering switches hold the surface themselves, for each step.
template <typename Operation>
int CSurfaceOps::WithSurface(int handle, Operation operation) {
    CWindowSurface* s = Surface(handle);
    if (!s)
        return 0;
    operation(*s);
    return kDone;
}

int CSurfaceOps::AutoBuffer(int handle) {
    return WithSurface(handle, [](CWindowSurface& s) { s.SetUpdateMode(kUpdateAutomatic); });
}

int CSurfaceOps::DontBuffer(int handle, bool leaveBuffering) {
    return WithSurface(handle, [&](CWindowSurface& s) { s.SetUpdateMode(kUpdateDirect, !leaveBuffering); });
}

int CSurfaceOps::AlwaysBuffer(int handle) {
    return WithSurface(handle, [](CWindowSurface& s) { s.SetUpdateMode(kUpdateBuffered); });
}

int CSurfaceOps::BeginBuffered(int handle) {
    return WithSurface(handle, [](CWindowSurface& s) { s.BeginBuffered(); });
}

int CSurfaceOps::EndBuffered(int handle) {
    return WithSurface(handle, [](CWindowSurface& s) { s.EndBuffered(); });
}

int CSurfaceOps::SetInnerArea(int handle, const RECT* area) {
    return HoldAndDraw(handle, [&](CWindowSurface& s) { s.SetInnerArea(area); });
}

HFONT CSurfaceOps::SetFont(int handle, const char* fontText, const char* name, uint8_t* flags) {
    HFONT font = nullptr;
    HoldAndDraw(handle, [&](CWindowSurface& s) {
        font = m_stCore.Fonts().SetFont(s, fontText, name, flags, m_stCore.FrameDC());
    });
    return font;
}

HFONT CSurfaceOps::SelectFont(int handle, HFONT font) {
    HoldAndDraw(handle, [&](CWindowSurface& s) { s.SelectFont(font); });
    return font;
}

HFONT CSurfaceOps::GetFontByName(int handle, const char* name) {
    if (!Surface(handle))
        return nullptr;
    const NamedFont* record = m_stCore.Fonts().Find(name);
    return record ? record->font : nullptr;
}

const char* CSurfaceOps::GetFontName(int handle, HFONT font) {
    if (!Surface(handle))
        return nullptr;
    const NamedFont* record = m_stCore.Fonts().FindByFont(font);
    return record ? record->name.c_str() : nullptr;
}
