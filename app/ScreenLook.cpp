#include "app/ScreenLook.h"

void DefineMainFont(CCorvaneCore& core) {
    core.DefineFont(kMainFont, "Arial,13");
}

void PaintDialogFace(CCorvaneCore& core, int window) {
    core.Window.Cls(window, static_cast<int>(GetSysColor(COLOR_BTNFACE)));
    core.Window.SetfgColor(window, GetSysColor(COLOR_BTNTEXT));
}

void WriteAt(CCorvaneCore& core, int window, int x, int y, const char* text) {
    core.Window.GotoXY(window, x, y);
    core.Window.Write(window, text);
}

std::string HiddenUntilBuilt(const char* options) {
    return std::string(options) + " hide";
}
