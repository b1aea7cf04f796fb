// Buttons driven as a user drives them: presses, check boxes, sizes and
// placement, the waiting worker they wake, click and hover callbacks, keys,
// owner drawing and transparency.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

void Press(HWND button) {
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

class CButtonWindow {
  public:
    CButtonWindow() : m_nHandle(NewWindow()) {}
    ~CButtonWindow() { Core().Window.Destroy(m_nHandle); }
    int Handle() const { return m_nHandle; }
    HWND Hwnd() const { return Core().Window.GetHwnd(m_nHandle); }

  private:
    int m_nHandle;
};

TEST(CorvaneButton, PressSetsTheLatchOnceAndWakesTheWaiter) {
    CButtonWindow w;
    const int button = Core().Window.CreateButton(w.Handle(), 10, 10, 80, 24, "Continue");
    ASSERT_NE(button, 0);
    const HWND hwnd = Core().Window.GetHwnd(w.Handle());
    EXPECT_EQ(GetParent(Core().FindItem(button)->window), hwnd);
    {
        CWaitWatch watch([] { return Core().IsWaiterSuspended(); },
                         [&] { Press(Core().FindItem(button)->window); });
        EXPECT_EQ(Core().WaitEvents(w.Handle(), "AnyButton,CloseWindow", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself());
    }
    const CCorButton facade(button);
    EXPECT_EQ(facade.Clicked(), 1);
    EXPECT_EQ(facade.Clicked(), 0);
    EXPECT_EQ(Core().Button.Released(button), 1);
    Press(Core().FindItem(button)->window);
    EXPECT_EQ(Core().Button.Clicked(button), 1) << "once per press";
}

// What a button shows when printed into a bitmap of its size.
class CPrintedButton {
  public:
    explicit CPrintedButton(HWND button) {
        RECT r;
        GetClientRect(button, &r);
        HDC screen = GetDC(nullptr);
        m_hDC = CreateCompatibleDC(screen);
        m_hBitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
        ReleaseDC(nullptr, screen);
        m_hPrevious = SelectObject(m_hDC, m_hBitmap);
        SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_hDC), PRF_CLIENT);
    }
    ~CPrintedButton() {
        SelectObject(m_hDC, m_hPrevious);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_hDC, x, y); }
    bool SameAs(const CPrintedButton& other, int width, int height) const {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (Pixel(x, y) != other.Pixel(x, y))
                    return false;
            }
        }
        return true;
    }

  private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hPrevious;
};

// The old style leaves check boxes to the system, which keeps the state too;
// the new style draws them with the "Button" theme when one opens.
TEST(CorvaneButton, CheckBoxKeepsItsStateAndTheProgramCanSetIt) {
    CButtonWindow w;
    // The system draws old-style boxes, and every box while the process-wide
    // switch is on; a new-style one is drawn by the toolkit when a theme opens.
    const struct {
        const char* options;
        bool systemSwitch;
    } cases[] = {{"checkbox oldstyle", false}, {"checkbox", false}, {"checkbox", true}};
    for (const auto& c : cases) {
        const char* options = c.options;
        SCOPED_TRACE(std::string(options) + (c.systemSwitch ? " with the switch" : ""));
        Core().SetSystemCheckBoxes(c.systemSwitch);
        const int box = Core().Window.CreateButton(w.Handle(), 10, 10, 0, 0, "Desktop shortcut", options);
        Core().SetSystemCheckBoxes(false);
        ASSERT_NE(box, 0);
        const HWND hwnd = Core().FindItem(box)->window;
        const bool systemDrawn = !Core().FindItem(box)->button->ownerDrawn;
        if (c.systemSwitch || std::string(options).find("oldstyle") != std::string::npos) {
            EXPECT_TRUE(systemDrawn);
            EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
        }
        EXPECT_EQ(Core().Button.GetCheck(box), 0);
        SendMessageA(hwnd, BM_CLICK, 0, 0);
        EXPECT_EQ(Core().Button.GetCheck(box), 1);
        if (systemDrawn) {
            EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
        }
        EXPECT_EQ(Core().Button.Clicked(box), 1);
        const CPrintedButton ticked(hwnd);
        EXPECT_EQ(Core().Button.SetCheck(box, false), 1);
        EXPECT_EQ(Core().Button.GetCheck(box), 0);
        const CPrintedButton cleared(hwnd);
        EXPECT_FALSE(ticked.SameAs(cleared, Core().Button.GetWidth(box), Core().Button.GetHeight(box)))
            << "the state shows";
        if (systemDrawn) {
            EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        }
        EXPECT_EQ(Core().Button.Clicked(box), 0) << "set by the program: no click";
        Core().Button.Close(box);
    }
}

// The rule, measured here independently of the toolkit.
TEST(CorvaneButton, SizeFromTheCaptionWithAMargin) {
    CButtonWindow w;
    const char* caption = "Change directory";
    const int button = Core().Window.CreateButton(w.Handle(), 10, 10, -30, 0, caption);
    ASSERT_NE(button, 0);
    const HWND hwnd = Core().FindItem(button)->window;
    HDC dc = GetDC(hwnd);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA plain = {};
    GetTextMetricsA(dc, &plain);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SIZE text = {};
    GetTextExtentPoint32A(dc, caption, static_cast<int>(strlen(caption)), &text);
    ReleaseDC(hwnd, dc);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRect(&frame, WS_CHILD | WS_VISIBLE | WS_BORDER, FALSE);
    const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    EXPECT_EQ(Core().Button.GetWidth(button), text.cx + frameWidth + plain.tmMaxCharWidth + 30);
    EXPECT_EQ(Core().Button.GetHeight(button), text.cy + frameHeight + plain.tmMaxCharWidth / 2);
    RECT placed;
    GetClientRect(hwnd, &placed);
    EXPECT_EQ(placed.right, Core().Button.GetWidth(button));
}

TEST(CorvaneButton, NextButtonBesideThePreviousDoesNotOverlap) {
    CButtonWindow w;
    const int first = Core().Window.CreateButton(w.Handle(), 10, 10, 0, 0, "Back");
    const LastControl last = Core().LastControlPlaced();
    EXPECT_EQ(last.right, 10 + Core().Button.GetWidth(first));
    const int second = Core().Window.CreateButton(w.Handle(), last.right + 20, 10, 0, 0, "Next");
    RECT a, b, overlap;
    GetWindowRect(Core().FindItem(first)->window, &a);
    GetWindowRect(Core().FindItem(second)->window, &b);
    EXPECT_FALSE(IntersectRect(&overlap, &a, &b));
    EXPECT_EQ(b.left - a.right, 20);
}

TEST(CorvaneButton, OperationsOnHandlesThatAreNoButtonsDoNothing) {
    CButtonWindow w;
    for (int h : {0, -1, 99999, w.Handle()}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(Core().Button.GetCheck(h), 0);
        EXPECT_EQ(Core().Button.Clicked(h), 0);
        EXPECT_EQ(Core().Button.SetCheck(h, true), 0);
        EXPECT_EQ(Core().Button.GetWidth(h), 0);
        EXPECT_EQ(Core().Button.Close(h), 0);
    }
    EXPECT_EQ(Core().Window.CreateButton(99999, 0, 0, 10, 10, "x"), 0);
    const int button = Core().Window.CreateButton(w.Handle(), 0, 0, 40, 20, "Gone");
    const HWND hwnd = Core().FindItem(button)->window;
    EXPECT_EQ(Core().Button.Close(button), 1);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Core().Button.Clicked(button), 0);
}

HWND ButtonWindow(int button) {
    return Core().FindItem(button)->window;
}

void RecordThread(void* thread, int) {
    static_cast<std::atomic<DWORD>*>(thread)->store(GetCurrentThreadId());
}

TEST(CorvaneButton, ClickCallbackRunsOnTheMainThreadOrOnAThreadOfItsOwn) {
    CButtonWindow w;
    struct Case {
        const char* options;
        bool onMainThread;
    } cases[] = {{"", true}, {"AsThread", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const int button = Core().Window.CreateButton(w.Handle(), 10, 10, 80, 24, "Go");
        std::atomic<DWORD> thread{0};
        ASSERT_EQ(Core().Button.SetClickCallback(button, RecordThread, &thread, c.options), 1);
        Press(ButtonWindow(button));
        ASSERT_TRUE(WaitFor([&] { return thread.load() != 0; }));
        EXPECT_EQ(thread.load() == CWorkerApp::MainThreadId(), c.onMainThread);
        EXPECT_NE(thread.load(), GetCurrentThreadId());
        Core().Button.Close(button);
    }
}

class CCountingButton : public CCorButton {
  public:
    using CCorButton::CCorButton;
    void OnClick() override { ++m_nClicks; }
    int Clicks() const { return m_nClicks.load(); }

  private:
    std::atomic<int> m_nClicks{0};
};

TEST(CorvaneButton, AsClassCallsTheButtonObjectsOnClick) {
    CButtonWindow w;
    CCountingButton object(Core().Window.CreateButton(w.Handle(), 10, 10, 80, 24, "Go"));
    ASSERT_EQ(Core().Button.SetClickCallback(object.Handle(), nullptr, &object, "AsClass"), 1);
    Press(ButtonWindow(object.Handle()));
    Press(ButtonWindow(object.Handle()));
    EXPECT_EQ(object.Clicks(), 2);
    EXPECT_EQ(object.Clicked(), 1);
}

struct HoverLog {
    std::mutex mutex;
    std::vector<std::pair<int, int>> calls;  // code, value

    static void Record(void* self, int, int code, int value) {
        auto* log = static_cast<HoverLog*>(self);
        std::lock_guard<std::mutex> lock(log->mutex);
        log->calls.emplace_back(code, value);
    }
    std::vector<std::pair<int, int>> Calls() {
        std::lock_guard<std::mutex> lock(mutex);
        return calls;
    }
};

TEST(CorvaneButton, HoverCallbackFollowsThePointer) {
    CButtonWindow w;
    const int button = Core().Window.CreateButton(w.Handle(), 10, 10, 80, 24, "Hover");
    HoverLog log;
    ASSERT_EQ(Core().Button.SetHoverCallback(button, HoverLog::Record, &log, 300), 1);
    const HWND hwnd = ButtonWindow(button);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    SendMessageA(hwnd, WM_MOUSEHOVER, 0, MAKELPARAM(5, 6));
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(Core().FindItem(button)->button->hot) << "the pointer over it makes it hot";
    SendMessageA(hwnd, WM_MOUSELEAVE, 0, 0);
    const std::vector<std::pair<int, int>> expected = {{10, 300}, {1, MAKELPARAM(5, 6)}, {0, 0}};
    EXPECT_EQ(log.Calls(), expected);
    EXPECT_FALSE(Core().FindItem(button)->button->hot);
    EXPECT_EQ(Core().Button.SetHoverCallback(w.Handle(), HoverLog::Record, &log), 0);
}

TEST(CorvaneButton, KeysGoToTheKeyboardTargetWindow) {
    CButtonWindow w, target;
    const int button = Core().Window.CreateButton(w.Handle(), 10, 10, 80, 24, "Keys");
    Core().SetKeyboardTarget(target.Hwnd());
    SendMessageA(ButtonWindow(button), WM_CHAR, 'k', 0);
    int key = 0;
    EXPECT_TRUE(WaitFor([&] { return (key = Core().Window.GetKey(target.Handle())) != 0; }));
    EXPECT_EQ(key, 'k');
    Core().SetKeyboardTarget(nullptr);
}

TEST(CorvaneButton, TransparentButtonBlendsItsFaceWithTheWindowBehindIt) {
    CButtonWindow w;
    Core().Window.AlwaysBuffer(w.Handle());
    Core().Window.Rectangle(w.Handle(), 0, 0, 200, 150, RGB(0, 0, 255));
    struct Case {
        const char* options;
        int red, blue;
    } cases[] = {
        {"transparent=128", 128, 127},
        {"transparent=255", 255, 0},
        {"transparent", 255, 0},  // no value: drawn opaque
        {"", 255, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        // The old style's face is the background colour, whatever theme is on.
        const std::string options = std::string(c.options) + " oldstyle";
        const int button = Core().Window.CreateButton(w.Handle(), 10, 10, 80, 24, "", options.c_str());
        Core().Button.SetBgColor(button, RGB(255, 0, 0));
        const CPrintedButton printed(ButtonWindow(button));
        const COLORREF middle = printed.Pixel(40, 12);
        EXPECT_NEAR(GetRValue(middle), c.red, 2);
        EXPECT_EQ(GetGValue(middle), 0);
        EXPECT_NEAR(GetBValue(middle), c.blue, 2);
        Core().Button.Close(button);
    }
}

struct ButtonDraw {
    std::atomic<int> item{0};
    std::atomic<UINT> message{0};

    static LRESULT Record(int item, void* self, UINT message, WPARAM, LPARAM) {
        static_cast<ButtonDraw*>(self)->message = message;
        static_cast<ButtonDraw*>(self)->item = item;
        return TRUE;
    }
};

TEST(CorvaneButton, OwnerDrawnVariantIsDrawnByItsCallback) {
    CButtonWindow w;
    ButtonDraw draw;
    const int button = Core().Window.CreateOwnerDrawButton(w.Handle(), 10, 10, 80, 24, "Mine", "", ButtonDraw::Record,
                                                           &draw, true);
    ASSERT_NE(button, 0);
    const CPrintedButton printed(ButtonWindow(button));
    EXPECT_EQ(draw.item.load(), button);
    EXPECT_EQ(draw.message.load(), 1047u);
    const int system = Core().Window.CreateOwnerDrawButton(w.Handle(), 10, 40, 80, 24, "Default", "system",
                                                           ButtonDraw::Record, &draw, true);
    EXPECT_EQ(GetWindowLongA(ButtonWindow(system), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
}

void CountClick(void* count, int) {
    ++*static_cast<std::atomic<int>*>(count);
}

// The system turns the second click of a quick pair into a double click,
// which is a click all the same.
TEST(CorvaneButton, QuickSecondClickIsAClick) {
    CButtonWindow w;
    const auto doubleClick = [](HWND hwnd) {
        Press(hwnd);
        SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    };
    const int button = Core().Window.CreateButton(w.Handle(), 10, 10, 80, 24, "Twice");
    std::atomic<int> clicks{0};
    Core().Button.SetClickCallback(button, CountClick, &clicks);
    doubleClick(ButtonWindow(button));
    EXPECT_EQ(clicks.load(), 2);
    Core().Button.Close(button);
    for (const char* options : {"checkbox oldstyle", "checkbox"}) {
        SCOPED_TRACE(options);
        const int box = Core().Window.CreateButton(w.Handle(), 10, 10, 0, 0, "Twice", options);
        doubleClick(ButtonWindow(box));
        EXPECT_EQ(Core().Button.GetCheck(box), 0) << "ticked and cleared again";
        Core().Button.Close(box);
    }
}

// A waiter learns of a check box once, when its state has changed: a button
// release alone, with no click, must not wake it.
TEST(CorvaneButton, CheckBoxWakesItsWaiterOnlyOnceItsStateChanged) {
    CButtonWindow w;
    const int box = Core().Window.CreateButton(w.Handle(), 10, 10, 0, 0, "Box", "checkbox");
    const HWND hwnd = ButtonWindow(box);
    std::atomic<bool> wokenByRelease{false};
    {
        CWaitWatch watch([] { return Core().IsWaiterSuspended(); },
                         [&] {
                             SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
                             wokenByRelease = !Core().IsWaiterSuspended();
                             Press(hwnd);
                         });
        EXPECT_EQ(Core().WaitEvents(w.Handle(), "AnyButton", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself());
        EXPECT_EQ(Core().Button.GetCheck(box), 1) << "the state has changed before the waiter runs";
    }
    EXPECT_FALSE(wokenByRelease.load());
}

}  // namespace
