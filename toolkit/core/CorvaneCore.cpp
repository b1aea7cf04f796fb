#include "toolkit/core/CorvaneCore.h"

#include <commctrl.h>

#include <cstring>

#include "toolkit/core/WindowClasses.h"

namespace {

CCorvaneCore* g_pCore = nullptr;

HFONT CreateDefaultFont() {
    return CreateFontA(18, 7, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
}

}  // namespace

CCorvaneCore* CorvaneCore() {
    return g_pCore;
}

CCorvaneCore::CCorvaneCore(HWND parent, HINSTANCE instance)
    : Window(*this),
      Bitmap(*this, kKindBitmap),
      Button(*this),
      ScrollBar(*this),
      Menu(*this),
      ListBox(*this),
      TrackBar(*this),
      m_hInstance(instance),
      m_hParent(parent),
      m_hWhitePen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255))),
      m_hDarkGreyPen(CreatePen(PS_SOLID, 1, RGB(64, 64, 64))),
      m_hGreyPen(CreatePen(PS_SOLID, 1, RGB(128, 128, 128))),
      m_hBlackBrush(CreateSolidBrush(RGB(0, 0, 0))),
      m_hDefaultFont(CreateDefaultFont()),
      m_hCurrentFont(m_hDefaultFont) {
    g_pCore = this;
    LoadSystemApis(m_stApis);
    // The trackbar class exists only once the common controls are set up.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterWindowClasses(instance);
}

CorItem* CCorvaneCore::FindItem(int handle) const {
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->index == handle - 1)
            return item->live.load() ? item : nullptr;
    }
    return nullptr;
}

CorItem* CCorvaneCore::FindLiveItem(int handle, int kind) const {
    CorItem* item = FindItem(handle);
    return item && item->kind == kind ? item : nullptr;
}

CorItem* CCorvaneCore::FindItemByWindow(HWND window) const {
    if (!window)
        return nullptr;
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->live.load() && item->window == window && !(item->kind & kKindHiddenFromWindowLookUp))
            return item;
    }
    return nullptr;
}

// The head is read without the mutex, so an item is fully built before the
// link that publishes it is stored.
CorItem* CCorvaneCore::RegisterItem(std::unique_ptr<CorItem> owned) {
    std::lock_guard<std::mutex> lock(m_stAppendMutex);
    CorItem* item = owned.release();
    item->index = m_nCount.load();
    item->previous = m_pTail;
    item->live.store(true);
    if (m_pTail)
        m_pTail->next.store(item);
    else
        m_pHead.store(item);
    m_pTail = item;
    m_nCount.fetch_add(1);
    m_nAlive.fetch_add(1);
    return item;
}

void CCorvaneCore::RetireControl(CorItem& control) {
    if (!control.live.exchange(false))
        return;
    m_nAlive.fetch_sub(1);
    if (control.button)
        ReleaseButtonResources(*control.button);
    if (control.list)
        ReleaseListResources(*control.list);
}

// Main thread, in the window's WM_DESTROY: its controls' windows go right
// after it. Child windows retire themselves in their own WM_DESTROY.
void CCorvaneCore::RetireControlsOf(const CorItem& window) {
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->parent == &window && item->kind != kKindWindow)
            RetireControl(*item);
    }
}

// A drawing thread still holding the surface releases it as it lets go.
void CCorvaneCore::RetireBitmap(int handle) {
    CorItem* item = FindLiveItem(handle, kKindBitmap);
    if (!item || !item->live.exchange(false))
        return;
    m_nAlive.fetch_sub(1);
    item->surface->DestroySurface();
}

int CCorvaneCore::SetCurrentWindow(int handle) {
    if (!FindWindowItem(handle))
        return 0;
    m_nCurrentWindow.store(handle);
    return 1;
}

int CCorvaneCore::ResetCurrentWindow() {
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->live.load() && item->kind == kKindWindow) {
            m_nCurrentWindow.store(item->Handle());
            return 1;
        }
    }
    return 0;
}

int CCorvaneCore::DefineFont(const char* name, const char* fontText) {
    if (!name || std::strlen(name) >= kMaxFontName + 1)
        return 0;
    Window.SetFont(1, fontText, FontLookupName(name).c_str());
    return 0;
}

ShadowStyle CCorvaneCore::Shadow() const {
    std::lock_guard<std::mutex> lock(m_stShadowMutex);
    return m_stShadowStyle;
}

void CCorvaneCore::SetShadowStyle(int blurPasses, int strengthPercent, int offsetX, int offsetY) {
    std::lock_guard<std::mutex> lock(m_stShadowMutex);
    m_stShadowStyle = {blurPasses, strengthPercent * 256 / 100, offsetX, offsetY};
}
