#include "install/ScreenMetrics.h"

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
