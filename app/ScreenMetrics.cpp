#include "app/ScreenMetrics.h"

#include <cstring>

SIZE ClientSize(CCorvaneCore& core, int window) {
    RECT client = {};
    GetClientRect(core.Window.GetHwnd(window), &client);
    return {client.right, client.bottom};
}

int TextWidth(CCorvaneCore& core, int window, const char* text) {
    SIZE size = {};
    if (CWindowSurface* surface = core.Window.Surface(window))
        GetTextExtentPoint32A(surface->CurrentDC(), text, static_cast<int>(strlen(text)), &size);
    return size.cx;
}

POINT CentredOrigin(int width, int height) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return {(static_cast<LONG>(mode.dmPelsWidth) - width) / 2, (static_cast<LONG>(mode.dmPelsHeight) - height) / 2};
}
