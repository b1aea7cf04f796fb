// Buttons driven as a user drives them: presses, check boxes, sizes and
// placement, and the waiting worker they wake.
#include <gtest/gtest.h>

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

TEST(CorvaneButton, CheckBoxKeepsItsStateAndTheProgramCanSetIt) {
    CButtonWindow w;
    const int box = Core().Window.CreateButton(w.Handle(), 10, 10, 0, 0, "Desktop shortcut", "checkbox");
    ASSERT_NE(box, 0);
    const HWND hwnd = Core().FindItem(box)->window;
    EXPECT_EQ(Core().Button.GetCheck(box), 0);
    SendMessageA(hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(Core().Button.GetCheck(box), 1);
    EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Core().Button.Clicked(box), 1);
    EXPECT_EQ(Core().Button.SetCheck(box, false), 1);
    EXPECT_EQ(Core().Button.GetCheck(box), 0);
    EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Core().Button.Clicked(box), 0) << "set by the program: no click";
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

}  // namespace
