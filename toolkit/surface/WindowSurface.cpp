#include "toolkit/surface/WindowSurface.h"

#include "toolkit/core/CorvaneCore.h"

namespace {

constexpr int kPresentAttempts = 100;
constexpr int kClipBoxAttempts = 100;
const char kLineSample[] = "gH";

template <typename Handle>
void DeleteAndClear(Handle& handle) {
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}

}  // namespace

void CKeyBuffer::Push(int key) {
    std::lock_guard<std::mutex> lock(m_stMutex);
    if (m_nCount == kCapacity) {
        m_nFirst = (m_nFirst + 1) % kCapacity;
        --m_nCount;
    }
    m_nKeys[(m_nFirst + m_nCount) % kCapacity] = key;
    ++m_nCount;
    m_stTyped.notify_all();
}

int CKeyBuffer::Pop() {
    std::lock_guard<std::mutex> lock(m_stMutex);
    return PopLocked();
}

int CKeyBuffer::PopWaiting(unsigned timeoutMs) {
    std::unique_lock<std::mutex> lock(m_stMutex);
    m_stTyped.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_nCount > 0; });
    return PopLocked();
}

int CKeyBuffer::PopLocked() {
    if (m_nCount == 0)
        return 0;
    const int key = m_nKeys[m_nFirst];
    m_nFirst = (m_nFirst + 1) % kCapacity;
    --m_nCount;
    return key;
}

// New surfaces write in the bold member of "DEFAULTFONT", the registry's first record.
CWindowSurface::CWindowSurface(CCorvaneCore& core)
    : m_pCore(&core),
      m_hCurrentFont(core.Fonts().DefaultFont().boldFont),
      m_hBaseFont(m_hCurrentFont),
      m_pCurrentRecord(&core.Fonts().DefaultFont()) {}

bool CWindowSurface::OnMainThread() const {
    return m_pCore->OnMainThread();
}

CWindowSurface::~CWindowSurface() {
    DestroySurface();
}

void CWindowSurface::SelectDefaults(HDC dc) {
    SelectObject(dc, m_hCurrentFont);
    SelectObject(dc, m_hBackgroundBrush);
    SetTextColor(dc, m_nText);
    SetBkColor(dc, m_nBackground);
    SetBkMode(dc, TRANSPARENT);
}

void CWindowSurface::FillBackground(HDC dc) {
    FillRect(dc, &m_stClient, m_hBackgroundBrush);
}

int CWindowSurface::MeasureLineHeight(HDC dc) const {
    SIZE size = {};
    return dc && GetTextExtentPoint32A(dc, kLineSample, 2, &size) ? size.cy : 0;
}

void CWindowSurface::UpdateMetrics() {
    m_nLineHeight = MeasureLineHeight(m_hWindowDC);
    if (m_hInnerRegion) {
        RECT inner;
        GetRgnBox(m_hInnerRegion, &inner);
        m_stDrawingArea = inner;
        m_stOrigin = {inner.left, inner.top};
    } else {
        m_stDrawingArea = m_stClient;
        m_stOrigin = {0, 0};
    }
}

void CWindowSurface::CreateWindowSurface(HWND window, int width, int height, bool asDialog,
                                         bool createdHidden) {
    m_hWindow = window;
    m_bCreatedHidden = createdHidden;
    if (asDialog) {
        m_nBackground = GetSysColor(COLOR_BTNFACE);
        m_nText = GetSysColor(COLOR_BTNTEXT);
    }
    m_hBackgroundBrush = CreateSolidBrush(m_nBackground);
    m_hWindowDC = GetDC(window);
    GetClientRect(window, &m_stClient);
    if (width > 0)
        m_stClient.right = width;
    if (height > 0)
        m_stClient.bottom = height;

    m_hBackDC = CreateCompatibleDC(m_hWindowDC);
    m_hBackBitmap = CreateCompatibleBitmap(m_hWindowDC, Width(), Height());
    m_hInitialBitmap = SelectObject(m_hBackDC, m_hBackBitmap);
    SelectDefaults(m_hBackDC);
    FillBackground(m_hBackDC);
    SelectDefaults(m_hWindowDC);
    UpdateMetrics();
    m_hCurrentDC = m_hBackDC;
    m_bBuffered = true;
    m_nUpdateMode = kUpdateBuffered;
}

bool CWindowSurface::CreateOffscreenSurface(int width, int height, const CWindowSurface& compatible) {
    m_bOffscreen = true;
    m_bAutoPresent = false;
    m_hBackgroundBrush = CreateSolidBrush(m_nBackground);
    m_stClient = {0, 0, width, height};
    m_hBackDC = CreateCompatibleDC(compatible.m_hWindowDC);
    m_hBackBitmap = CreateCompatibleBitmap(compatible.m_hWindowDC, width, height);
    if (!m_hBackDC || !m_hBackBitmap)
        return false;
    m_hInitialBitmap = SelectObject(m_hBackDC, m_hBackBitmap);
    m_hWindowDC = m_hBackDC;
    m_hCurrentDC = m_hBackDC;
    SelectDefaults(m_hBackDC);
    FillBackground(m_hBackDC);
    UpdateMetrics();
    m_bBuffered = true;
    m_nUpdateMode = kUpdateBuffered;
    return true;
}

// Safe to call twice: the window's WM_DESTROY retires the surface and the
// object itself lives on with its registry entry.
void CWindowSurface::DestroySurface() {
    if (busy.Retire())
        ReleaseResources();
}

void CWindowSurface::ReleaseResources() {
    const auto putBackStockObjects = [](HDC dc) {
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        SelectObject(dc, GetStockObject(NULL_PEN));
        SelectClipRgn(dc, nullptr);
    };
    if (m_hWindowDC && m_hWindowDC != m_hBackDC) {
        putBackStockObjects(m_hWindowDC);
        ReleaseDC(m_hWindow, m_hWindowDC);
    }
    m_hWindowDC = nullptr;
    if (m_hBackDC) {
        putBackStockObjects(m_hBackDC);
        if (m_hInitialBitmap)
            SelectObject(m_hBackDC, m_hInitialBitmap);
        DeleteDC(m_hBackDC);
        m_hBackDC = nullptr;
    }
    m_hCurrentDC = nullptr;
    DeleteAndClear(m_hBackBitmap);
    DeleteAndClear(m_hBackgroundBrush);
    DeleteAndClear(m_hInnerRegion);
    DeleteAndClear(m_hClientRegion);
}

// Wine lets one thread at a time use a device context, and a call from
// another thread meanwhile fails without a trace: copying the back buffer
// while a worker draws into it would lose that drawing. So a paint takes
// the surface as any drawing does, without waiting; finding it held, it
// leaves the painting to the holder, which asks for it as it lets go. The
// second try closes the gap in which the holder let go before the wish was
// set.
void CWindowSurface::Paint(HDC paintDC) {
    if (!busy.TryAcquire(CSurfaceBusy::kPresenting)) {
        m_bRepaintWanted = true;
        if (!busy.TryAcquire(CSurfaceBusy::kPresenting))
            return;
        m_bRepaintWanted = false;
    }
    PaintHeld(paintDC);
    if (busy.Release())
        ReleaseResources();
}

void CWindowSurface::PaintHeld(HDC paintDC) {
    std::atomic<int>& progress = m_pCore->PaintingFlag();
    if (m_nPaintCount == 0 && !m_bCreatedHidden) {
        progress = 10;
        FillBackground(paintDC);
        progress = 11;
        FillBackground(m_hBackDC);
        progress = 12;
        m_nPaintCount = 1;
        return;
    }
    if (m_bBuffered) {
        progress = 13;
        RECT client;
        GetClientRect(m_hWindow, &client);
        progress = 14;
        BitBlt(paintDC, 0, 0, Width(), Height(), m_hBackDC, 0, 0, SRCCOPY);
        progress = 15;
        return;
    }
    Present();
}

bool CWindowSurface::Present() {
    if (m_bOffscreen || !m_hWindowDC || !m_bBuffered || !m_bAutoPresent)
        return false;
    return BitBlt(m_hWindowDC, 0, 0, Width(), Height(), m_hBackDC, 0, 0, SRCCOPY) != FALSE;
}

void CWindowSurface::Update() {
    const bool autoPresent = m_bAutoPresent;
    m_bAutoPresent = true;
    for (int attempt = 0; attempt < kPresentAttempts && !Present(); ++attempt)
        Sleep(0);
    m_bAutoPresent = autoPresent;
}

void CWindowSurface::AutoUpdate() {
    m_bAutoPresent = true;
    Present();
}

void CWindowSurface::SetUpdateMode(UpdateMode mode, bool reevaluate) {
    if (m_pTextWindow)
        return;
    m_nUpdateMode = mode;
    if (mode == kUpdateAutomatic)
        Present();
    if (!reevaluate)
        return;
    BeginBuffered();
    EndBuffered();
}

void CWindowSurface::DrawStraightToWindow() {
    m_hCurrentDC = m_hWindowDC;
    m_bBuffered = false;
    m_nUpdateMode = kUpdateDirect;
}

template <typename Each>
void CWindowSurface::ForEachChildSurface(Each each) {
    m_pCore->ForEachChildSurface(m_hWindow, each);
}

void CWindowSurface::CopyWindowToBackBuffer() {
    BitBlt(m_hBackDC, 0, 0, Width(), Height(), m_hWindowDC, 0, 0, SRCCOPY);
}

void CWindowSurface::ShowBackBuffer() {
    BitBlt(m_hWindowDC, 0, 0, Width(), Height(), m_hBackDC, 0, 0, SRCCOPY);
}

// Called by the drawing thread, which holds neither this surface nor its
// children's: each is held here for the switch.
void CWindowSurface::BeginBuffered() {
    Hold(CSurfaceBusy::kBeginBuffered, [](CWindowSurface& s) {
        GdiFlush();
        if (!s.m_bBuffered && s.m_nUpdateMode != kUpdateDirect && !s.m_bOffscreen) {
            if (!s.m_bKeepBackBuffer)
                s.CopyWindowToBackBuffer();
            s.m_hCurrentDC = s.m_hBackDC;
            s.m_bBuffered = true;
        }
    });
    ForEachChildSurface([](CWindowSurface& child) { child.BeginBuffered(); });
    Hold(CSurfaceBusy::kBeginBuffered, [](CWindowSurface& s) {
        s.Present();
        GdiFlush();
    });
}

void CWindowSurface::EndBuffered() {
    if (frozen || !m_bBuffered || m_bOffscreen)
        return;
    bool switchedHere = false;
    Hold(CSurfaceBusy::kEndBuffered, [&](CWindowSurface& s) {
        if ((!s.IsObscured() && s.m_nUpdateMode != kUpdateBuffered) || s.m_nUpdateMode == kUpdateDirect) {
            s.ShowBackBuffer();
            s.m_hCurrentDC = s.m_hWindowDC;
            s.m_bBuffered = false;
            switchedHere = true;
        }
    });
    if (!switchedHere)
        ForEachChildSurface([](CWindowSurface& child) { child.EndBuffered(); });
    Hold(CSurfaceBusy::kEndBuffered, [](CWindowSurface& s) { s.Present(); });
}

bool CWindowSurface::IsObscured() const {
    if (!m_hWindowDC)
        return true;
    if (m_hInnerRegion)
        SelectClipRgn(m_hWindowDC, m_hInnerRegion);
    RECT box = {};
    int kind = ERROR;
    for (int attempt = 0; attempt < kClipBoxAttempts && kind == ERROR; ++attempt) {
        kind = GetClipBox(m_hWindowDC, &box);
        if (kind == ERROR)
            Sleep(0);
    }
    const RECT& expected = m_hInnerRegion ? m_stDrawingArea : m_stClient;
    if (m_hInnerRegion)
        SelectClipRgn(m_hWindowDC, m_hClientRegion);
    return kind == COMPLEXREGION || !EqualRect(&box, &expected);
}

// A text window's host only keeps the colours: the text window draws the
// window, and takes a new background as its own.
void CWindowSurface::SetBackgroundColour(COLORREF colour) {
    if (m_pTextWindow) {
        m_nBackground = colour;
        m_pTextWindow->SetTextWindowColor(colour);
        return;
    }
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush)
        return;
    for (HDC dc : {m_hWindowDC, m_hBackDC}) {
        if (!dc)
            continue;
        SelectObject(dc, brush);
        SetBkColor(dc, colour);
    }
    if (m_hBackgroundBrush)
        DeleteObject(m_hBackgroundBrush);
    m_hBackgroundBrush = brush;
    m_nBackground = colour;
}

void CWindowSurface::SetTextColour(COLORREF colour) {
    m_nText = colour;
    if (m_pTextWindow)
        return;
    for (HDC dc : {m_hWindowDC, m_hBackDC}) {
        if (dc)
            SetTextColor(dc, colour);
    }
}

void CWindowSurface::SetBgMode(bool opaque) {
    if (m_pTextWindow)
        return;
    for (HDC dc : {m_hWindowDC, m_hCurrentDC}) {
        if (dc)
            SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
    }
}

void CWindowSurface::SelectFont(HFONT font) {
    if (!font)
        return;
    for (HDC dc : {m_hWindowDC, m_hBackDC}) {
        if (dc)
            SelectObject(dc, font);
    }
    UpdateMetrics();
}

HFONT CWindowSurface::SetCurrentFont(HFONT font, const NamedFont* record) {
    const HFONT previous = m_hCurrentFont;
    m_hCurrentFont = font;
    m_hBaseFont = font;
    m_pCurrentRecord = record;
    SelectFont(font);
    return previous;
}

// Both contexts clip to the area; the obscured test compares against it.
void CWindowSurface::SetInnerArea(const RECT* area) {
    DeleteAndClear(m_hInnerRegion);
    DeleteAndClear(m_hClientRegion);
    if (area) {
        m_hInnerRegion = CreateRectRgnIndirect(area);
        m_hClientRegion = CreateRectRgnIndirect(&m_stClient);
    }
    for (HDC dc : {m_hWindowDC, m_hBackDC}) {
        if (dc)
            SelectClipRgn(dc, m_hInnerRegion);
    }
    UpdateMetrics();
}
