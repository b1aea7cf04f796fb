#include <gtest/gtest.h>

#include <string>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool IsGone(int window) {
    return Core().FindWindowItem(window) == nullptr;
}

TEST(CorvaneWindows, WindowOneIsHiddenOwnedByTheFrameOnTheMainThread) {
    CorItem* first = Core().FindWindowItem(1);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(IsWindowVisible(first->window));
    EXPECT_EQ(ClassName(first->window), "qv_UserWin");
    const HWND owner = GetWindow(first->window, GW_OWNER);
    EXPECT_EQ(owner, Core().FrameWindow());
    EXPECT_EQ(ClassName(owner), "qv_KelmarWin");
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_EQ(GetWindowThreadProcessId(first->window, nullptr), CWorkerApp::MainThreadId());
    EXPECT_TRUE(GetWindowLongA(first->window, GWL_STYLE) & WS_CAPTION);
    RECT r;
    GetWindowRect(first->window, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 40);
}

TEST(CorvaneWindows, WindowsFromTheWorkerBelongToTheMainThread) {
    const int w = NewWindow("");
    ASSERT_NE(w, 0);
    const HWND window = Core().Window.GetHwnd(w);
    EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), CWorkerApp::MainThreadId());
    EXPECT_TRUE(IsWindowVisible(window));
    char title[32] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "Test window");
    EXPECT_EQ(Core().Window.GetWidth(w), 200);
    EXPECT_EQ(Core().Window.GetHeight(w), 150);
    Core().Window.Destroy(w);
}

TEST(CorvaneWindows, LocalWindowBelongsToTheCallingThread) {
    const int w = NewWindow("localwindow hide");
    ASSERT_NE(w, 0);
    EXPECT_EQ(GetWindowThreadProcessId(Core().Window.GetHwnd(w), nullptr), GetCurrentThreadId());
    EXPECT_EQ(Core().Window.Destroy(w), 1);
    EXPECT_TRUE(IsGone(w));
}

TEST(CorvaneWindows, MissingTitleBecomesNoTitle) {
    const int w = Core().Window.CreateWindow(0, 20, 20, 100, 100, nullptr, "hide");
    char title[32] = {};
    GetWindowTextA(Core().Window.GetHwnd(w), title, sizeof(title));
    EXPECT_STREQ(title, "No Title");
    Core().Window.Destroy(w);
}

TEST(CorvaneWindows, HandlesAreNeverReused) {
    const int a = NewWindow();
    const int b = NewWindow();
    ASSERT_NE(a, 0);
    EXPECT_EQ(b, a + 1);
    EXPECT_EQ(Core().Window.Close(b), 1);
    ASSERT_TRUE(WaitFor([&] { return IsGone(b); }));
    const int c = NewWindow();
    EXPECT_EQ(c, b + 1);
    EXPECT_EQ(Core().Window.Show(b, 0), 0);
    Core().Window.Destroy(a);
    Core().Window.Destroy(c);
}

TEST(CorvaneWindows, OperationsOnBadHandlesReturnZero) {
    const int closed = NewWindow();
    Core().Window.Destroy(closed);
    const int bitmap = Core().CreateBitmap(16, 16);
    ASSERT_NE(bitmap, 0);
    int x = 0, y = 0;
    for (int h : {0, -1, 99999, closed, bitmap}) {
        SCOPED_TRACE(h);
        CWindowOps& w = Core().Window;
        EXPECT_EQ(w.Close(h), 0);
        EXPECT_EQ(w.Destroy(h), 0);
        EXPECT_EQ(w.Show(h, 0), 0);
        EXPECT_EQ(w.Hide(h), 0);
        EXPECT_EQ(w.SetPos(h, 1, 1), 0);
        EXPECT_EQ(w.AdjustPos(h, 1, 1), 0);
        EXPECT_EQ(w.GetWidth(h), 0);
        EXPECT_EQ(w.SetFocus(h), 0);
        EXPECT_EQ(w.GetHwnd(h), nullptr);
        EXPECT_EQ(w.SetKeepOpen(h, true), 0);
        EXPECT_EQ(w.CloseRequested(h), 0);
        EXPECT_EQ(w.MouseClicked(h), 0);
        EXPECT_EQ(w.GetMousePos(h, x, y), 0);
        EXPECT_EQ(w.ToggleAttach(h), 0);
        if (h != 0) {  // parent 0 is no parent
            EXPECT_EQ(w.CreateWindow(h, 0, 0, 10, 10, "x", "hide"), 0);
        }
        EXPECT_EQ(Core().SetCurrentWindow(h), 0);
        EXPECT_EQ(Core().WaitEvents(h, "AnyButton", 0), 0);
        EXPECT_EQ(Core().RaiseUserEvent(h, 1), 0);
        EXPECT_EQ(Core().FreezeWindow(h), 0);
        EXPECT_EQ(Core().UnfreezeWindow(h), 0);
    }
}

TEST(CorvaneWindows, ClosingWithoutAWaiterClosesUnlessKeptOpen) {
    const int w = NewWindow();
    const HWND window = Core().Window.GetHwnd(w);
    ASSERT_EQ(Core().Window.SetKeepOpen(w, true), 1);
    EXPECT_EQ(Core().Window.Close(w), 1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Core().Window.CloseRequested(w), 1);
    EXPECT_EQ(Core().Window.CloseRequested(w), 0);

    ASSERT_EQ(Core().Window.SetKeepOpen(w, false), 1);
    EXPECT_EQ(Core().Window.Close(w), 1);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }));
    EXPECT_TRUE(IsGone(w));
}

void CountCall(void* user, int) {
    ++*static_cast<int*>(user);
}

TEST(CorvaneWindows, CloseAndDestroyCallbacksRunOnce) {
    const int w = NewWindow();
    int closes = 0, destroys = 0;
    Core().Window.SetCloseCallback(w, CountCall, &closes);
    Core().Window.SetDestroyCallback(w, CountCall, &destroys);
    Core().Window.Close(w);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(destroys, 1);
}

TEST(CorvaneWindows, PopupWithAParentIsPlacedFromTheParentsPosition) {
    const int parent = NewWindow("hide", 100, 120);
    ASSERT_TRUE(WaitFor([&] { return Core().Window.GetPosX(parent) != 0; }));
    POINT origin = {0, 0};
    ClientToScreen(Core().Window.GetHwnd(parent), &origin);
    EXPECT_EQ(Core().Window.GetPosX(parent), origin.x);
    EXPECT_EQ(Core().Window.GetPosY(parent), origin.y);

    const int popup = Core().Window.CreateWindow(parent, 10, 20, 100, 80, "Popup", "hide");
    const int initial = Core().Window.CreateWindow(parent, 10, 20, 100, 80, "Initial", "Initial hide");
    RECT r;
    GetWindowRect(Core().Window.GetHwnd(popup), &r);
    EXPECT_EQ(r.left, origin.x + 10);
    EXPECT_EQ(r.top, origin.y + 20);
    GetWindowRect(Core().Window.GetHwnd(initial), &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    for (int w : {popup, initial, parent})
        Core().Window.Destroy(w);
}

TEST(CorvaneWindows, CurrentWindowFollowsLiveWindows) {
    const int w = NewWindow("hide");
    EXPECT_EQ(Core().SetCurrentWindow(w), 1);
    EXPECT_EQ(Core().CurrentWindow(), w);
    EXPECT_EQ(Core().ResetCurrentWindow(), 1);
    EXPECT_EQ(Core().CurrentWindow(), 1);
    Core().Window.Destroy(w);
}

TEST(CorvaneWindows, MouseLatchesReadAndClear) {
    const int w = NewWindow();
    const HWND window = Core().Window.GetHwnd(w);
    int x = -1, y = -1;
    EXPECT_EQ(Core().Window.GetMousePos(w, x, y), 0);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(7, 9));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9));
    EXPECT_EQ(Core().Window.MouseMoved(w), 1);
    EXPECT_EQ(Core().Window.MouseMoved(w), 0);
    EXPECT_EQ(Core().Window.GetMousePos(w, x, y), 1);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
    EXPECT_EQ(CCorWindow(w).MouseClicked(), 1);
    EXPECT_EQ(CCorWindow(w).MouseClicked(), 0);
    Core().Window.Destroy(w);
}

LRESULT SwallowClose(void* user, HookMessage& m) {
    if (m.message != WM_CLOSE)
        return 5;  // left to the toolkit
    ++*static_cast<int*>(user);
    m.handled = true;
    return 0;
}

TEST(CorvaneWindows, MessageHookSeesMessagesFirst) {
    const int w = NewWindow();
    int swallowed = 0;
    Core().Window.SetMessageHook(w, SwallowClose, &swallowed);
    Core().Window.Close(w);
    EXPECT_EQ(swallowed, 1);
    EXPECT_EQ(Core().Window.CloseRequested(w), 0);  // the toolkit never saw it
    EXPECT_NE(Core().FindWindowItem(w), nullptr);
    Core().Window.SetMessageHook(w, nullptr, nullptr);
    Core().Window.Destroy(w);
}

TEST(CorvaneWindows, FreezeStopsPaintingUntilUnfrozen) {
    CCorWindow window(NewWindow());
    CWindowSurface& surface = *Core().FindWindowItem(window.Handle())->surface;
    EXPECT_EQ(window.FreezeWindow(), 1);
    EXPECT_EQ(surface.frozen.load(), 1);
    EXPECT_EQ(window.FreezeWindow(), 1);
    EXPECT_EQ(window.UnfreezeWindow(), 1);
    EXPECT_EQ(surface.frozen.load(), 0);
    Core().Window.Destroy(window.Handle());
}

TEST(CorvaneWindows, ChildWindowDetachesAndComesBack) {
    const int parent = NewWindow();
    const int child = Core().Window.CreateWindow(parent, 10, 10, 80, 60, "Child", "child hide");
    const HWND window = Core().Window.GetHwnd(child);
    ASSERT_EQ(GetParent(window), Core().Window.GetHwnd(parent));
    EXPECT_EQ(Core().Window.ToggleAttach(child), 1);
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(Core().Window.ToggleAttach(child), 1);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetParent(window), Core().Window.GetHwnd(parent));
    Core().Window.Destroy(parent);
}

}  // namespace
