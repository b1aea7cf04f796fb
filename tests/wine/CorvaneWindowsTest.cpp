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

LRESULT CountPaints(void* user, HookMessage& m) {
    if (m.message == WM_PAINT)
        ++*static_cast<std::atomic<int>*>(user);
    return 5;  // left to the toolkit
}

void FillBackBuffer(int window, COLORREF colour) {
    Core().FindWindowItem(window)->surface->Hold(CSurfaceBusy::kWriting, [&](CWindowSurface& s) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all = {0, 0, s.Width(), s.Height()};
        FillRect(s.BackDC(), &all, brush);
        DeleteObject(brush);
    });
}

COLORREF ShownPixel(int window) {
    HDC dc = GetDC(Core().Window.GetHwnd(window));
    const COLORREF pixel = GetPixel(dc, 10, 10);
    ReleaseDC(Core().Window.GetHwnd(window), dc);
    return pixel;
}

// Visible, since only a visible window is asked to paint. While frozen, a
// repaint shows nothing new, and the system is not asked again and again;
// unfreezing shows what was drawn meanwhile.
TEST(CorvaneWindows, FrozenWindowPaintsNothingAndIsAskedOnce) {
    CCorWindow window(NewWindow(""));
    Core().Window.AlwaysBuffer(window.Handle());
    const HWND hwnd = window.Hwnd();
    constexpr COLORREF kDrawn = RGB(255, 0, 0);
    std::atomic<int> paints{0};
    Core().Window.SetMessageHook(window.Handle(), CountPaints, &paints);
    ASSERT_NE(ShownPixel(window.Handle()), kDrawn);

    EXPECT_EQ(window.FreezeWindow(), 1);
    FillBackBuffer(window.Handle(), kDrawn);
    paints = 0;
    InvalidateRect(hwnd, nullptr, FALSE);
    EXPECT_TRUE(WaitFor([&] { return paints.load() > 0; }));
    // Each call is a round trip through the main thread's queue, which a
    // window asking to be painted again would flood.
    for (int i = 0; i < 3; ++i)
        Core().RunOnMainThread([](void*, void*) {}, nullptr, nullptr);
    EXPECT_EQ(paints.load(), 1) << "the frozen window was asked to paint again and again";
    EXPECT_NE(ShownPixel(window.Handle()), kDrawn) << "the frozen window painted";

    EXPECT_EQ(window.UnfreezeWindow(), 1);
    EXPECT_EQ(ShownPixel(window.Handle()), kDrawn);
    Core().Window.SetMessageHook(window.Handle(), nullptr, nullptr);
    Core().Window.Destroy(window.Handle());
}

std::string SystemMenuText(HWND window, UINT command) {
    char text[32] = {};
    GetMenuStringA(GetSystemMenu(window, FALSE), command, text, sizeof(text), MF_BYCOMMAND);
    return text;
}

RECT RectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(CorvaneWindows, ChildWindowDetachesAndComesBack) {
    const int parent = NewWindow("hide", 100, 120);
    // Wider than the smallest captioned window the system allows.
    const int child = Core().Window.CreateWindow(parent, 10, 10, 160, 60, "Child", "child hide");
    const HWND window = Core().Window.GetHwnd(child);
    const HWND parentWindow = Core().Window.GetHwnd(parent);
    ASSERT_EQ(GetParent(window), parentWindow);
    const RECT attached = RectInParent(window);

    EXPECT_EQ(Core().Window.ToggleAttach(child), 1);
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);
    // Floating where it was on the screen, five pixels further in.
    POINT origin = {0, 0};
    ClientToScreen(parentWindow, &origin);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    EXPECT_EQ(placement.rcNormalPosition.left, origin.x + attached.left + 5);
    EXPECT_EQ(placement.rcNormalPosition.top, origin.y + attached.top + 5);
    EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, attached.right - attached.left);
    EXPECT_EQ(SystemMenuText(window, kReAttachCommand), "ReAttach");

    // The menu item puts it back, where and as large as it was.
    SendMessageA(window, WM_SYSCOMMAND, kReAttachCommand, 0);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetParent(window), parentWindow);
    const RECT back = RectInParent(window);
    EXPECT_EQ(back.left, attached.left);
    EXPECT_EQ(back.top, attached.top);
    EXPECT_EQ(back.right - back.left, attached.right - attached.left);
    Core().Window.Destroy(parent);
}

// Messages the main thread's windows are sent, as its window procedures
// receive them.
struct SentMessage {
    HWND window;
    UINT message;
};
std::atomic<int> g_nSent{0};
SentMessage g_stSent[256];

LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const int slot = g_nSent.load();
    if (code == HC_ACTION && slot < 256 && (sent->message == WM_PAINT || sent->message == WM_SETFOCUS)) {
        g_stSent[slot] = {sent->hwnd, sent->message};
        g_nSent = slot + 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Records what the main thread's windows are sent while it lives.
class CSentMessages {
  public:
    CSentMessages()
        : m_hHook(SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, nullptr, CWorkerApp::MainThreadId())) {
        g_nSent = 0;
    }
    ~CSentMessages() { UnhookWindowsHookEx(m_hHook); }
    bool Installed() const { return m_hHook != nullptr; }

    int Count(HWND window, UINT message) const {
        int count = 0;
        for (int i = 0; i < g_nSent.load(); ++i)
            count += g_stSent[i].window == window && g_stSent[i].message == message;
        return count;
    }

  private:
    HHOOK m_hHook;
};

TEST(CorvaneWindows, HiddenWindowIsSentAPaintAtCreation) {
    CSentMessages sent;
    ASSERT_TRUE(sent.Installed());
    const int w = NewWindow("hide");
    EXPECT_EQ(sent.Count(Core().Window.GetHwnd(w), WM_PAINT), 1);
    Core().Window.Destroy(w);
}

// The frame's hook sees the creation request first; destroying the parent
// there makes the creation fail, as a vanished owner does.
LRESULT DestroyParentFirst(void* parent, WPARAM code, LPARAM) {
    if (code == kRequestCreate)
        DestroyWindow(static_cast<HWND>(parent));
    return -1;
}

TEST(CorvaneWindows, FailedCreationGivesWindowOneTheFocusUnlessHidden) {
    const HWND first = Core().Window.GetHwnd(1);
    for (const char* options : {"", "hide"}) {
        SCOPED_TRACE(options);
        const int parent = NewWindow();
        CSentMessages sent;
        ASSERT_TRUE(sent.Installed());
        Core().SetFrameHook(kRequestMessage, DestroyParentFirst, Core().Window.GetHwnd(parent));
        EXPECT_EQ(Core().Window.CreateWindow(parent, 0, 0, 50, 50, "Orphan", options), 0);
        Core().SetFrameHook(0, nullptr, nullptr);
        EXPECT_EQ(sent.Count(first, WM_SETFOCUS), options[0] ? 0 : 1);
    }
}

TEST(CorvaneWindows, MoveToTheRecordedPositionIsNoMove) {
    const int w = NewWindow();
    const HWND window = Core().Window.GetHwnd(w);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(7, 9));
    EXPECT_EQ(Core().Window.MouseMoved(w), 0) << "the click recorded that position";
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(8, 9));
    EXPECT_EQ(Core().Window.MouseMoved(w), 1);
    Core().Window.Destroy(w);
}

}  // namespace
