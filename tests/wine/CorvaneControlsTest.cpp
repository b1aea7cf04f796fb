// Scroll bars and menus driven as a user drives them.
#include <gtest/gtest.h>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

class CControlWindow {
  public:
    CControlWindow() : m_nHandle(NewWindow()) {}
    ~CControlWindow() { Core().Window.Destroy(m_nHandle); }
    int Handle() const { return m_nHandle; }
    HWND Hwnd() const { return Core().Window.GetHwnd(m_nHandle); }

  private:
    int m_nHandle;
};

TEST(CorvaneScrollBar, NeedsAnOrientation) {
    CControlWindow w;
    EXPECT_EQ(Core().Window.CreateScrollBar(w.Handle(), 0, 0, 100, 16, "bottom"), 0);
    EXPECT_NE(Core().Window.CreateScrollBar(w.Handle(), 0, 0, 100, 16, "horizontal"), 0);
    EXPECT_EQ(Core().Window.CreateScrollBar(99999, 0, 0, 100, 16, "horizontal"), 0);
}

TEST(CorvaneScrollBar, UserMovesItAndTheWaiterWakes) {
    CControlWindow w;
    const int bar = Core().Window.CreateScrollBar(w.Handle(), 0, 0, 120, 0, "horizontal");
    ASSERT_NE(bar, 0);
    const HWND hwnd = Core().FindItem(bar)->window;
    EXPECT_EQ(Core().ScrollBar.GetPos(bar), 50);
    {
        CWaitWatch watch([] { return Core().IsWaiterSuspended(); },
                         [&] { SendMessageA(w.Hwnd(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(hwnd)); });
        EXPECT_EQ(Core().WaitEvents(w.Handle(), "AnyScroll", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself());
    }
    EXPECT_EQ(Core().ScrollBar.GetPos(bar), 51);
    EXPECT_EQ(GetScrollPos(hwnd, SB_CTL), 51);
    SendMessageA(w.Hwnd(), WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(Core().ScrollBar.GetPos(bar), 41);

    EXPECT_EQ(Core().ScrollBar.SetRange(bar, 0, 20), 1);
    EXPECT_EQ(Core().ScrollBar.SetPos(bar, 7), 1);
    EXPECT_EQ(GetScrollPos(hwnd, SB_CTL), 7);
    EXPECT_EQ(Core().ScrollBar.Close(bar), 1);
    EXPECT_EQ(Core().ScrollBar.GetPos(bar), 0);
}

TEST(CorvaneEditBox, StylesFromItsOptionsAndItsText) {
    CControlWindow w;
    const int edit = Core().Window.CreateEditBox(w.Handle(), 10, 10, 150, 60, "multiline readonly name=Path");
    ASSERT_NE(edit, 0);
    const HWND hwnd = Core().FindItem(edit)->window;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_FALSE(style & ES_NUMBER);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(Core().FindItem(edit)->name, "Path");
    EXPECT_EQ(Core().LastControlPlaced().right, 160);
    EXPECT_EQ(Core().Window.SetEditText(edit, "C:\\Program Files\\Orvalis"), 1);
    EXPECT_EQ(Core().Window.GetEditText(edit), "C:\\Program Files\\Orvalis");
    EXPECT_EQ(Core().Window.GetEditText(w.Handle()), "") << "a window is no edit box";
    EXPECT_EQ(Core().Window.CreateEditBox(99999, 0, 0, 10, 10), 0);
}

TEST(CorvaneMenu, ChosenItemRaisesTheMenuEventWithItsIdentifier) {
    CControlWindow w;
    const int menu = Core().Menu.Create(w.Handle());
    ASSERT_NE(menu, 0);
    const int sub = Core().Menu.Create(w.Handle());
    EXPECT_EQ(Core().Menu.AddItem(sub, "Exit", 77), 1);
    EXPECT_EQ(Core().Menu.AddItem(menu, "File", sub, "popup"), 1);
    EXPECT_EQ(Core().Menu.AddItem(menu, "Help", 78, "Position=1"), 1);
    EXPECT_EQ(Core().Menu.AddSeparator(sub), 1);
    EXPECT_EQ(Core().Menu.Activate(menu), 1);
    const HMENU bar = GetMenu(w.Hwnd());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), 77u);
    EXPECT_EQ(GetMenuItemID(bar, 1), 78u);
    EXPECT_EQ(Core().FindItemByWindow(w.Hwnd()), Core().FindWindowItem(w.Handle())) << "a menu is never found by window";
    {
        CWaitWatch watch([] { return Core().IsWaiterSuspended(); },
                         [&] { PostMessageA(w.Hwnd(), WM_COMMAND, MAKEWPARAM(77, 0), 0); });
        EXPECT_EQ(Core().WaitEvents(w.Handle(), "AnyMenu", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself());
    }
    EXPECT_EQ(Core().FindWindowItem(w.Handle())->surface->latches.menuItem.load(), 77);
    EXPECT_EQ(Core().Menu.Activate(w.Handle()), 0) << "a window is no menu";
}

}  // namespace
