#include "toolkit/surface/WindowSurface.h"

#include "toolkit/core/CorvaneCore.h"

namespace {

constexpr int kPresentAttempts = 100;

}  // namespace

void CKeyBuffer::Push(int key) {
    std::lock_guard<std::mutex> lock(m_stMutex);
    if (m_nCount == kCapacity) {
        m_nFirst = (m_nFirst + 1) % kCapacity;
        --m_nCount;
    }
    m_nKeys[(m_nFirst + m_nCount) % kCapacity] = key;
    ++m_nCount;
}

int CKeyBuffer::Pop() {
    std::lock_guard<std::mutex> lock(m_stMutex);
    if (m_nCount == 0)
        return 0;
    const int key = m_nKeys[m_nFirst];
    m_nFirst = (m_nFirst + 1) % kCapacity;
    --m_nCount;
    return key;
}

bool CWindowSurface::OnMainThread() const {
    return m_pCore->OnMainThread();
}

CWindowSurface::~CWindowSurface() {
    DestroySurface();
}

void CWindowSurface::SelectDefaults(HDC dc) {
    SelectObject(dc, m_pCore->CurrentFont());
    SelectObject(dc, m_hBackgroundBrush);
    SetTextColor(dc, m_nText);
    SetBkColor(dc, m_nBackground);
    SetBkMode(dc, TRANSPARENT);
}

void CWindowSurface::FillBackground(HDC dc) {
    FillRect(dc, &m_stClient, m_hBackgroundBrush);
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
    SelectDefaults(m_hWindowDC);
    FillBackground(m_hBackDC);
}

bool CWindowSurface::CreateOffscreenSurface(int width, int height, const CWindowSurface& compatible) {
    m_bOffscreen = true;
    m_hBackgroundBrush = CreateSolidBrush(m_nBackground);
    m_stClient = {0, 0, width, height};
    m_hBackDC = CreateCompatibleDC(compatible.m_hWindowDC);
    m_hBackBitmap = CreateCompatibleBitmap(compatible.m_hWindowDC, width, height);
    if (!m_hBackDC || !m_hBackBitmap)
        return false;
    m_hInitialBitmap = SelectObject(m_hBackDC, m_hBackBitmap);
    SelectDefaults(m_hBackDC);
    FillBackground(m_hBackDC);
    return true;
}

// Safe to call twice: the window's WM_DESTROY retires the surface and the
// object itself lives on with its registry entry.
void CWindowSurface::DestroySurface() {
    if (busy.Retire())
        ReleaseResources();
}

void CWindowSurface::ReleaseResources() {
    if (m_hBackDC) {
        SelectObject(m_hBackDC, GetStockObject(SYSTEM_FONT));
        SelectObject(m_hBackDC, GetStockObject(BLACK_BRUSH));
        if (m_hInitialBitmap)
            SelectObject(m_hBackDC, m_hInitialBitmap);
        DeleteDC(m_hBackDC);
        m_hBackDC = nullptr;
    }
    if (m_hBackBitmap) {
        DeleteObject(m_hBackBitmap);
        m_hBackBitmap = nullptr;
    }
    if (m_hWindowDC) {
        SelectObject(m_hWindowDC, GetStockObject(SYSTEM_FONT));
        SelectObject(m_hWindowDC, GetStockObject(BLACK_BRUSH));
        ReleaseDC(m_hWindow, m_hWindowDC);
        m_hWindowDC = nullptr;
    }
    if (m_hBackgroundBrush) {
        DeleteObject(m_hBackgroundBrush);
        m_hBackgroundBrush = nullptr;
    }
}

void CWindowSurface::Paint(HDC paintDC) {
    if (m_nPaintCount == 0 && !m_bCreatedHidden) {
        FillBackground(paintDC);
        FillBackground(m_hBackDC);
        m_nPaintCount = 1;
        return;
    }
    BitBlt(paintDC, 0, 0, Width(), Height(), m_hBackDC, 0, 0, SRCCOPY);
}

bool CWindowSurface::Present() {
    if (m_bOffscreen || !m_hWindowDC)
        return false;
    return BitBlt(m_hWindowDC, 0, 0, Width(), Height(), m_hBackDC, 0, 0, SRCCOPY) != FALSE;
}

void CWindowSurface::Update() {
    Hold(CSurfaceBusy::kPresenting, [](CWindowSurface& s) {
        for (int attempt = 0; attempt < kPresentAttempts && !s.Present(); ++attempt)
            Sleep(0);
    });
}
