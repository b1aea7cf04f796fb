// A toolkit window driven from the keyboard as a dialog is: keys go through
// the main thread's message loop to the control that has the focus, as a
// person's keys do.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

constexpr LPARAM kRepeated = 1 << 30;  // the key was down already: auto-repeat
constexpr LPARAM kReleased = static_cast<LPARAM>(0xC0000000u);

HWND ControlWindow(int handle) {
    return Core().FindItem(handle)->window;
}

HWND MainThreadFocus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(CWorkerApp::MainThreadId(), &info);
    return info.hwndFocus;
}

bool FocusIs(HWND window) {
    return WaitFor([&] { return MainThreadFocus() == window; });
}

// Posted to the window that has the focus, as the system queues a key.
void PostKey(UINT message, WPARAM key, LPARAM data = 0) {
    PostMessageA(MainThreadFocus(), message, key, data);
}

void Type(WPARAM key) {
    PostKey(WM_KEYDOWN, key);
    PostKey(WM_KEYUP, key, kReleased);
}

// Everything posted before has been handled once this returns.
void Settle() {
    std::atomic<bool> reached{false};
    PostMessageA(MainThreadFocus(), WM_NULL, 0, 0);
    Core().RunOnMainThread([](void* flag, void*) { static_cast<std::atomic<bool>*>(flag)->store(true); }, &reached,
                           nullptr);
    WaitFor([&] { return reached.load(); });
}

void CountClick(void* count, int) {
    ++*static_cast<std::atomic<int>*>(count);
}

// A shown window (focus goes to shown windows only) with the controls of
// a screen: two push buttons around a check box, then a hidden and a
// disabled button Tab must pass over, and a last button.
class CKeyboardScreen {
  public:
    explicit CKeyboardScreen(const char* options = "")
        : m_nWindow(Core().Window.CreateWindow(0, 60, 60, 420, 200, "Keys", options)) {
        m_nFirst = Core().Window.CreateButton(m_nWindow, 10, 10, 80, 24, "First");
        m_nCheckBox = Core().Window.CreateButton(m_nWindow, 100, 10, 0, 0, "Box", "checkbox");
        Core().Window.CreateButton(m_nWindow, 10, 40, 80, 24, "Hidden", "hide");
        Core().Window.CreateButton(m_nWindow, 100, 40, 80, 24, "Disabled", "disabled");
        m_nLast = Core().Window.CreateButton(m_nWindow, 10, 70, 80, 24, "Last");
        Core().Button.SetClickCallback(m_nFirst, CountClick, &m_nFirstClicks);
        Core().Button.SetClickCallback(m_nLast, CountClick, &m_nLastClicks);
        Core().Window.SetKeepOpen(m_nWindow, true);
    }
    ~CKeyboardScreen() { Core().Window.Destroy(m_nWindow); }

    int Window() const { return m_nWindow; }
    HWND Hwnd() const { return Core().Window.GetHwnd(m_nWindow); }
    int First() const { return m_nFirst; }
    int CheckBox() const { return m_nCheckBox; }
    int Last() const { return m_nLast; }
    int FirstClicks() const { return m_nFirstClicks.load(); }
    int LastClicks() const { return m_nLastClicks.load(); }

  private:
    int m_nWindow;
    int m_nFirst = 0, m_nCheckBox = 0, m_nLast = 0;
    std::atomic<int> m_nFirstClicks{0}, m_nLastClicks{0};
};

TEST(CorvaneKeyboard, TabWalksTheControlsInTheOrderTheyWereMade) {
    CKeyboardScreen screen;
    ASSERT_EQ(Core().Window.SetFocus(screen.First()), 1) << "a button takes the focus by its handle";
    ASSERT_TRUE(FocusIs(ControlWindow(screen.First())));
    const int order[] = {screen.CheckBox(), screen.Last(), screen.First()};  // past the hidden and disabled
    for (int next : order) {
        Type(VK_TAB);
        EXPECT_TRUE(FocusIs(ControlWindow(next))) << Core().FindItem(next)->text;
    }
    ASSERT_EQ(Core().Window.SetFocus(screen.Window()), 1);
    ASSERT_TRUE(FocusIs(screen.Hwnd()));
    Type(VK_TAB);
    EXPECT_TRUE(FocusIs(ControlWindow(screen.First()))) << "from the window itself to its first control";
    EXPECT_EQ(Core().Window.SetFocus(12345), 0);
}

TEST(CorvaneKeyboard, SpacePressesTheFocusedButtonOnceAsAClickDoes) {
    CKeyboardScreen screen;
    Core().Window.SetFocus(screen.Last());
    ASSERT_TRUE(FocusIs(ControlWindow(screen.Last())));
    {
        CWaitWatch watch([] { return Core().IsWaiterSuspended(); },
                         [] {
                             PostKey(WM_KEYDOWN, VK_SPACE);
                             PostKey(WM_KEYDOWN, VK_SPACE, kRepeated);  // held down: no second press
                             PostKey(WM_KEYUP, VK_SPACE, kReleased);
                         });
        EXPECT_EQ(Core().WaitEvents(screen.Window(), "AnyButton", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself()) << "the press wakes the waiting program";
    }
    ASSERT_TRUE(WaitFor([&] { return Core().Button.Released(screen.Last()) == 1; }));
    EXPECT_EQ(Core().Button.Clicked(screen.Last()), 1);
    EXPECT_EQ(screen.LastClicks(), 1);
    EXPECT_EQ(screen.FirstClicks(), 0);

    Core().Window.SetFocus(screen.CheckBox());
    ASSERT_TRUE(FocusIs(ControlWindow(screen.CheckBox())));
    PostKey(WM_KEYDOWN, VK_SPACE);
    PostKey(WM_KEYDOWN, VK_SPACE, kRepeated);
    PostKey(WM_KEYUP, VK_SPACE, kReleased);
    Settle();
    EXPECT_EQ(Core().Button.GetCheck(screen.CheckBox()), 1) << "toggled once";
}

TEST(CorvaneKeyboard, EnterPressesTheFocusedButtonOrElseTheFirst) {
    enum Focus { kLastButton, kCheckBox, kWindow };
    const struct {
        Focus focus;
        int firstClicks, lastClicks;
    } cases[] = {{kLastButton, 0, 1}, {kCheckBox, 1, 0}, {kWindow, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus);
        CKeyboardScreen screen;
        const int focused = c.focus == kLastButton ? screen.Last() : c.focus == kCheckBox ? screen.CheckBox() : 0;
        Core().Window.SetFocus(focused ? focused : screen.Window());
        ASSERT_TRUE(FocusIs(focused ? ControlWindow(focused) : screen.Hwnd()));
        Type(VK_RETURN);
        PostKey(WM_KEYDOWN, VK_RETURN, kRepeated);
        Settle();
        EXPECT_EQ(screen.FirstClicks(), c.firstClicks);
        EXPECT_EQ(screen.LastClicks(), c.lastClicks);
        EXPECT_EQ(Core().Button.GetCheck(screen.CheckBox()), 0) << "Enter never ticks a box";
    }
}

TEST(CorvaneKeyboard, EscapeTakesTheWayOut) {
    {
        CKeyboardScreen screen;
        ASSERT_EQ(Core().Window.SetCancelButton(screen.Window(), screen.Last()), 1);
        Core().Window.SetFocus(screen.First());
        ASSERT_TRUE(FocusIs(ControlWindow(screen.First())));
        Type(VK_ESCAPE);
        Settle();
        EXPECT_EQ(screen.LastClicks(), 1) << "the cancel button";
        EXPECT_EQ(Core().Window.CloseRequested(screen.Window()), 0);
        EXPECT_EQ(Core().Window.SetCancelButton(screen.Window(), screen.Window()), 0) << "a window is no button";
    }
    {
        CKeyboardScreen screen;
        Core().Window.SetFocus(screen.First());
        ASSERT_TRUE(FocusIs(ControlWindow(screen.First())));
        Type(VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] { return Core().Window.CloseRequested(screen.Window()) == 1; }))
            << "without one, what the close box does";
        EXPECT_EQ(screen.FirstClicks() + screen.LastClicks(), 0);
    }
    {
        CKeyboardScreen screen("nosysmenu");
        Core().Window.SetFocus(screen.First());
        ASSERT_TRUE(FocusIs(ControlWindow(screen.First())));
        Type(VK_ESCAPE);
        Settle();
        EXPECT_EQ(Core().Window.CloseRequested(screen.Window()), 0) << "no close box: nothing";
        EXPECT_EQ(screen.FirstClicks() + screen.LastClicks(), 0);
    }
}

// A window without controls takes the keys as typed text, as its line input
// needs them.
TEST(CorvaneKeyboard, WindowWithoutControlsGetsTheKeysAsTyped) {
    const int window = Core().Window.CreateWindow(0, 60, 60, 200, 100, "Typing", "");
    Core().Window.SetFocus(window);
    ASSERT_TRUE(FocusIs(Core().Window.GetHwnd(window)));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_TAB, VK_SPACE}) {
        Type(key);
        int typed = 0;
        EXPECT_TRUE(WaitFor([&] { return (typed = Core().Window.GetKey(window)) != 0; })) << key;
        EXPECT_EQ(typed, static_cast<int>(key == VK_SPACE ? ' ' : key));
    }
    Core().Window.Destroy(window);
}

TEST(CorvaneKeyboard, MovementKeysAndTheWheelScrollTheDocument) {
    CKeyboardScreen screen;
    const int document = Core().Window.CreateWindow(screen.Window(), 100, 100, 300, 80, "", "textonly child");
    for (int n = 0; n < 60; ++n)
        Core().Window.Write(document, ("Line " + std::to_string(n) + "\n").c_str());
    const HWND text = Core().Window.GetHwnd(document);
    ASSERT_TRUE(WaitFor([&] { return Core().Window.TextWindowOf(document)->IsScrollBarCurrent(); }));
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(text, SB_VERT, &info);
    const int last = info.nMax - static_cast<int>(info.nPage) + 1;
    ASSERT_GT(last, 10);
    ASSERT_EQ(GetScrollPos(text, SB_VERT), last) << "a written document shows its end";
    Core().Window.SetFocus(screen.First());
    ASSERT_TRUE(FocusIs(ControlWindow(screen.First())));
    UINT wheelLines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0);
    const struct {
        UINT message;
        WPARAM key;
        int position;
    } steps[] = {
        {WM_KEYDOWN, VK_HOME, 0},
        {WM_KEYDOWN, VK_DOWN, 1},
        {WM_KEYDOWN, VK_NEXT, 1 + static_cast<int>(info.nPage)},
        {WM_KEYDOWN, VK_UP, static_cast<int>(info.nPage)},
        {WM_KEYDOWN, VK_PRIOR, 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), static_cast<int>(wheelLines)},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0},
        {WM_KEYDOWN, VK_END, last},
    };
    for (const auto& s : steps) {
        PostKey(s.message, s.key);
        Settle();
        EXPECT_EQ(GetScrollPos(text, SB_VERT), s.position) << s.message << " " << s.key;
    }
    EXPECT_TRUE(FocusIs(ControlWindow(screen.First()))) << "the focus stays on the button";
    Core().Window.Destroy(document);
}

}  // namespace
