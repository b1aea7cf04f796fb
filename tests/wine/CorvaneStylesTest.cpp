#include <gtest/gtest.h>

#include <string>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// What the system reports for windows made from option strings. The system
// may add bits of its own (WS_EX_WINDOWEDGE to captioned windows), so each
// case names the bits that must be there and those that must not.
TEST(CorvaneStyles, OptionStringsGiveTheseWindowStyles) {
    struct Case {
        const char* options;
        DWORD present, absent;
        DWORD exPresent, exAbsent;
        const char* windowClass;
    } cases[] = {
        {"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_THICKFRAME | WS_CHILD, 0,
         WS_EX_TOOLWINDOW, "qv_UserWin"},
        {"noclose nosysmenu", WS_CAPTION, WS_SYSMENU | WS_THICKFRAME, 0, 0, "qv_UserWin"},
        {"noclose", WS_CAPTION | WS_SYSMENU, 0, 0, 0, "qv_UserWin"},
        {"nosizing", WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME, 0, 0, "qv_UserWin"},
        {"resizeable", WS_THICKFRAME, 0, 0, 0, "qv_UserWin"},
        {"noborder", WS_CAPTION, WS_THICKFRAME, 0, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, "qv_UserWin"},
        {"noborder2 nocaption", 0, WS_CAPTION | WS_THICKFRAME, 0, 0, "qv_UserWin"},
        {"recessed", WS_BORDER, 0, WS_EX_CLIENTEDGE, 0, "qv_UserWin"},
        {"sunken", WS_DLGFRAME, 0, WS_EX_STATICEDGE, 0, "qv_UserWin"},
        {"toolwindow", WS_CAPTION, 0, WS_EX_TOOLWINDOW, 0, "qv_UserWin"},
        {"xransparent", 0, 0, WS_EX_LAYERED, 0, "qv_UserWin"},
        {"doubleclick", 0, 0, 0, 0, "qv_UserWinDblClk"},
        {"nocursor", 0, 0, 0, 0, "qv_UserWinNoCursor"},
        {"dropshadow", 0, 0, 0, 0, "qv_UserWinDS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const int w = NewWindow((std::string(c.options) + " hide").c_str());
        ASSERT_NE(w, 0);
        const HWND window = Core().Window.GetHwnd(w);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
        EXPECT_EQ(style & c.present, c.present) << std::hex << style;
        EXPECT_EQ(style & c.absent, 0u) << std::hex << style;
        EXPECT_EQ(exStyle & c.exPresent, c.exPresent) << std::hex << exStyle;
        EXPECT_EQ(exStyle & c.exAbsent, 0u) << std::hex << exStyle;
        EXPECT_FALSE(style & WS_VISIBLE);
        EXPECT_EQ(ClassName(window), c.windowClass);
        Core().Window.Destroy(w);
    }
}

TEST(CorvaneStyles, NoSysMenuTakesTheCloseBoxAway) {
    const int w = NewWindow("noclose nosysmenu hide");
    EXPECT_EQ(GetSystemMenu(Core().Window.GetHwnd(w), FALSE), nullptr);
    Core().Window.Destroy(w);
}

TEST(CorvaneStyles, InnerSizeIsTheClientSize) {
    for (const char* options : {"innersize hide", "innersize recessed hide", "innersize toolwindow resizeable hide"}) {
        SCOPED_TRACE(options);
        const int w = NewWindow(options);
        RECT client;
        GetClientRect(Core().Window.GetHwnd(w), &client);
        EXPECT_EQ(client.right, 200);
        EXPECT_EQ(client.bottom, 150);
        Core().Window.Destroy(w);
    }
}

TEST(CorvaneStyles, NoBorderWindowsStartAtTheOrigin) {
    const int w = NewWindow("noborder hide", 300, 200);
    RECT r;
    GetWindowRect(Core().Window.GetHwnd(w), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    Core().Window.Destroy(w);
}

}  // namespace
