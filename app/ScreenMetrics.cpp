#include "app/ScreenMetrics.h"

#include <cstring>

#include "toolkit/surface/GdiRetry.h"

namespace {

constexpr int kMeasureAttempts = 100;

}  // namespace

SIZE ClientSize(CCorvaneCore& core, int window) {
    RECT client = {};
    GetClientRect(core.Window.GetHwnd(window), &client);
    return {client.right, client.bottom};
}

// Measured on the worker while the window may be painting: a refused
// measurement would place text as if it had no width.
int TextWidth(CCorvaneCore& core, int window, const char* text) {
    SIZE size = {};
    if (CWindowSurface* surface = core.Window.Surface(window))
        RetryGdi(kMeasureAttempts, 1, [&] {
            return GetTextExtentPoint32A(surface->CurrentDC(), text, static_cast<int>(strlen(text)), &size) != FALSE;
        });
    return size.cx;
}

POINT CentredOrigin(int width, int height) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return {(static_cast<LONG>(mode.dmPelsWidth) - width) / 2, (static_cast<LONG>(mode.dmPelsHeight) - height) / 2};
}
