#include <gtest/gtest.h>

#include "tests/wine/ToolkitTestSupport.h"
#include "toolkit/shadow/LayeredAttributes.h"

namespace {

void Apply(void* applied, void*) {
    *static_cast<bool*>(applied) = ApplyLayeredAttributes();
}

bool ApplyOnMainThread() {
    bool applied = false;
    Core().RunOnMainThread(Apply, &applied, nullptr);
    return applied;
}

TEST(CorvaneLayered, PendingAttributesGoToTheTargetsParentOnce) {
    const int w = NewWindow();
    const int button = Core().Window.CreateButton(w, 10, 10, 80, 24, "Hover");
    ASSERT_NE(button, 0);
    const HWND parent = Core().Window.GetHwnd(w);
    ASSERT_FALSE(GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_LAYERED);

    SetLayeredTarget(nullptr);
    SetLayeredAttributes({RGB(1, 2, 3), 128, LWA_ALPHA | LWA_COLORKEY});
    EXPECT_FALSE(ApplyOnMainThread()) << "no target";
    EXPECT_FALSE(GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_LAYERED);

    SetLayeredTarget(Core().FindItem(button)->window);
    EXPECT_TRUE(ApplyOnMainThread());
    EXPECT_TRUE(GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(parent, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(1, 2, 3));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY));
    EXPECT_FALSE(ApplyOnMainThread()) << "applied once per setting";
    SetLayeredTarget(nullptr);
    Core().Window.Destroy(w);
}

// A static panel's procedure applies what was set while the pointer moves
// over it, as a button's does after its hover changes.
TEST(CorvaneLayered, PointerOverAPanelAppliesPendingAttributes) {
    const int w = NewWindow();
    const int button = Core().Window.CreateButton(w, 10, 10, 80, 24, "Hover");
    const int panel = Core().Window.CreateChildPanel(w, 10, 40, 80, 40, "");
    ASSERT_NE(panel, 0);
    const HWND parent = Core().Window.GetHwnd(w);
    SetLayeredTarget(Core().FindItem(button)->window);
    SetLayeredAttributes({0, 200, LWA_ALPHA});

    SendMessageA(Core().FindItem(panel)->window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(parent, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 200);
    EXPECT_FALSE(ApplyOnMainThread()) << "nothing left pending";
    SetLayeredTarget(nullptr);
    Core().Window.Destroy(w);
}

}  // namespace
