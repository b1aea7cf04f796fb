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

}  // namespace
