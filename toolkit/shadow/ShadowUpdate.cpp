// Pushes the shadow image to the screen through a DIB section.
#include <cstring>

#include "toolkit/portable/shadow/ShadowImage.h"
#include "toolkit/shadow/ShadowState.h"
#include "toolkit/shadow/WndShadow.h"
#include "toolkit/surface/GdiScope.h"

namespace {

ShadowOutline ParentOutline(HWND parent, int width, int height) {
    CGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    const int kind = region ? GetWindowRgn(parent, region.Get()) : ERROR;
    if (kind == ERROR || kind == NULLREGION)
        return RectangleOutline(width, height);
    return SampleOutline(width, height, [&](int x, int y) { return PtInRegion(region.Get(), x, y) != 0; });
}

// A 32-bit bottom-up section holding image's pixels as they stand.
HBITMAP ShadowBitmap(const ShadowImage& image) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
    return bitmap;
}

}  // namespace

void CWndShadow::UpdateShadow() {
    const UpdateLayeredWindowFn update = ShadowState().updateLayeredWindow.load();
    RECT parent;
    if (!update || !m_hWindow || !GetWindowRect(m_hParent, &parent))
        return;
    const ShadowImage image = ComputeShadowImage(
        ParentOutline(m_hParent, parent.right - parent.left, parent.bottom - parent.top), m_stSettings);
    if (image.width == 0) {
        // Nothing to shadow: the image pushed last must not stay on screen.
        HideShadow();
        return;
    }
    CGdiObject<HBITMAP> bitmap(ShadowBitmap(image));
    CMemoryDC memory(nullptr);
    if (!bitmap || !memory.Get())
        return;
    CScopedSelect select(memory.Get(), bitmap.Get());
    const ShadowPoint at = ShadowWindowPosition(parent.left, parent.top, m_stSettings);
    SetWindowPos(m_hWindow, nullptr, at.x, at.y, image.width, image.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SIZE size{image.width, image.height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    update(m_hWindow, nullptr, nullptr, &size, memory.Get(), &source, 0, &blend, ULW_ALPHA);
    // Back from an empty image, which hid it.
    if ((m_nStatus & ShadowStatus::kShadowVisible) && !IsWindowVisible(m_hWindow))
        ShowWindow(m_hWindow, SW_SHOWNOACTIVATE);
}
