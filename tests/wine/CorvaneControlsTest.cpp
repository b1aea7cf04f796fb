// Scroll bars, trackbars, list and combo boxes, edit boxes, child panels and
// menus driven as a user drives them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

class CControlWindow {
  public:
    explicit CControlWindow(const char* options = "hide") : m_nHandle(NewWindow(options)) {}
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

HWND ItemWindow(int handle) {
    return Core().FindItem(handle)->window;
}

// Waits in the window for event list while the user's action runs; true when
// the action woke the wait.
bool ActionWakes(int window, const char* list, const std::function<void()>& action) {
    CWaitWatch watch([] { return Core().IsWaiterSuspended(); }, action);
    return Core().WaitEvents(window, list, 0) == 1 && watch.ReturnedByItself();
}

TEST(CorvaneTrackbar, NeedsAnOrientationAndStartsInTheMiddle) {
    CControlWindow w;
    EXPECT_EQ(Core().Window.CreateTrackbar(w.Handle(), 0, 0, 150, 30, "bottom disabled"), 0);
    EXPECT_EQ(Core().Window.CreateTrackbar(99999, 0, 0, 150, 30, "horizontal"), 0);
    const int bar = Core().Window.CreateTrackbar(w.Handle(), 0, 0, 150, 30, "horizontal disabled");
    ASSERT_NE(bar, 0);
    const HWND hwnd = ItemWindow(bar);
    char text[32] = {};
    GetClassNameA(hwnd, text, sizeof(text));
    EXPECT_STREQ(text, "msctls_trackbar32");
    GetWindowTextA(hwnd, text, sizeof(text));
    EXPECT_STREQ(text, "hello there");
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(Core().TrackBar.GetPos(bar), 50);
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & TBS_AUTOTICKS);
}

TEST(CorvaneTrackbar, OperationsReachTheControl) {
    CControlWindow w;
    const int bar = Core().Window.CreateTrackbar(w.Handle(), 0, 0, 150, 30, "horizontal");
    const HWND hwnd = ItemWindow(bar);
    EXPECT_EQ(Core().TrackBar.SetRange(bar, -20, 300), 1);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETRANGEMIN, 0, 0), -20);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETRANGEMAX, 0, 0), 300) << "beyond the 16 bits of TBM_SETRANGE";
    EXPECT_EQ(Core().TrackBar.SetPos(bar, 250), 1);
    EXPECT_EQ(Core().TrackBar.GetPos(bar), 250);
    EXPECT_EQ(Core().TrackBar.SetPageSize(bar, 25), 1);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETPAGESIZE, 0, 0), 25);
    EXPECT_EQ(Core().TrackBar.SetLineSize(bar, 3), 1);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETLINESIZE, 0, 0), 3);
    EXPECT_EQ(Core().TrackBar.SetSelection(bar, 10, 90), 1);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETSELSTART, 0, 0), 10);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETSELEND, 0, 0), 90);
    EXPECT_EQ(Core().TrackBar.SetTicFreq(bar, 160), 1);
    EXPECT_EQ(SendMessageA(hwnd, TBM_GETNUMTICS, 0, 0), 3) << "both ends and one between";
    for (int h : {0, 99999, w.Handle()}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(Core().TrackBar.GetPos(h), 0);
        EXPECT_EQ(Core().TrackBar.SetPos(h, 1), 0);
        EXPECT_EQ(Core().TrackBar.SetSelection(h, 1, 2), 0);
        EXPECT_EQ(Core().TrackBar.Close(h), 0);
    }
    EXPECT_EQ(Core().TrackBar.Close(bar), 1);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Core().TrackBar.GetPos(bar), 0);
}

TEST(CorvaneTrackbar, UserMovesItAndTheWaiterWakes) {
    CControlWindow w;
    for (const char* options : {"horizontal", "vertical"}) {
        SCOPED_TRACE(options);
        const int bar = Core().Window.CreateTrackbar(w.Handle(), 0, 0, 30, 120, options);
        ASSERT_NE(bar, 0);
        // The arrow keys move a trackbar by one line, as a user's would.
        EXPECT_TRUE(ActionWakes(w.Handle(), "AnyScroll",
                                [&] { PostMessageA(ItemWindow(bar), WM_KEYDOWN, VK_RIGHT, 0); }));
        EXPECT_EQ(Core().TrackBar.GetPos(bar), 51);
        Core().TrackBar.Close(bar);
    }
}

// A click on an item's rectangle, as the user makes it.
void ClickAt(HWND control, const RECT& r) {
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
}

int NewFilledList(int window, const char* options) {
    const int list = Core().Window.CreateListBox(window, 10, 10, 120, 80, options);
    for (const char* text : {"Typical", "Compact", "Custom"})
        EXPECT_EQ(Core().ListBox.AddString(list, text), 1);
    return list;
}

TEST(CorvaneListBox, ClickedItemIsTheSelectionAndWakesTheWaiter) {
    CControlWindow w;
    const int list = NewFilledList(w.Handle(), "");
    ASSERT_NE(list, 0);
    const HWND hwnd = ItemWindow(list);
    char text[32] = {};
    GetClassNameA(hwnd, text, sizeof(text));
    EXPECT_STREQ(text, "ListBox");
    EXPECT_EQ(GetDlgCtrlID(hwnd), 103);
    EXPECT_EQ(Core().ListBox.GetSelection(list), -1);
    RECT item = {};
    SendMessageA(hwnd, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(ActionWakes(w.Handle(), "AnyListBox", [&] { ClickAt(hwnd, item); }));
    EXPECT_EQ(Core().ListBox.GetSelection(list), 2);
    EXPECT_EQ(Core().ListBox.Selected(list), 1);
    EXPECT_EQ(Core().ListBox.Selected(list), 0) << "read and cleared";
}

TEST(CorvaneListBox, LinkedTextWindowShowsTheChosenLineAlone) {
    CControlWindow w;
    const int list = Core().Window.CreateListBox(w.Handle(), 10, 10, 120, 80, "");
    for (const char* text : {"Alpha", "Beta", "Gamma"})
        Core().ListBox.AddString(list, text);
    const int text = Core().Window.CreateWindow(0, 20, 20, 200, 100, "Chosen", "textonly hide");
    EXPECT_EQ(Core().ListBox.LinkTextWindow(list, w.Handle()), 0) << "no text window";
    ASSERT_EQ(Core().ListBox.LinkTextWindow(list, text), 1);
    Core().Window.Write(text, "what was there\n");
    const HWND hwnd = ItemWindow(list);
    for (int index : {1, 2}) {
        RECT item = {};
        SendMessageA(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        EXPECT_TRUE(ActionWakes(w.Handle(), "AnyListBox", [&] { ClickAt(hwnd, item); }));
        TextWindow& shown = *Core().Window.TextWindowOf(text);
        EXPECT_EQ(shown.LineCount(), 1);
        EXPECT_EQ(shown.LineText(0), index == 1 ? "Beta" : "Gamma");
    }
    Core().Window.Destroy(text);
}

TEST(CorvaneListBox, BorderFontAndColoursFromTheOptions) {
    CControlWindow w;
    Core().Window.SetbgColor(w.Handle(), RGB(10, 20, 30));
    struct Case {
        const char* options;
        bool border, clientEdge, ownFont, ownBrush;
    } cases[] = {
        {"", true, false, true, true},
        {"sunken", false, true, true, true},
        {"defaultfont", true, false, false, true},
        {"usedefaultcolors", true, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const int list = Core().Window.CreateListBox(w.Handle(), 0, 0, 100, 60, c.options);
        const HWND hwnd = ItemWindow(list);
        EXPECT_EQ((GetWindowLongA(hwnd, GWL_STYLE) & WS_BORDER) != 0, c.border);
        EXPECT_EQ((GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, c.clientEdge);
        EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0) != 0, c.ownFont);
        HDC dc = GetDC(hwnd);
        const LRESULT brush = SendMessageA(w.Hwnd(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(hwnd));
        EXPECT_EQ(brush == reinterpret_cast<LRESULT>(Core().FindItem(list)->list->brush), c.ownBrush);
        if (c.ownBrush) {
            EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
        }
        ReleaseDC(hwnd, dc);
        EXPECT_EQ(Core().ListBox.Close(list), 1);
    }
}

TEST(CorvaneListBox, OperationsOnHandlesThatAreNoListsDoNothing) {
    CControlWindow w;
    for (int h : {0, -1, 99999, w.Handle()}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(Core().ListBox.AddString(h, "x"), 0);
        EXPECT_EQ(Core().ListBox.GetSelection(h), -1);
        EXPECT_EQ(Core().ListBox.Selected(h), 0);
        EXPECT_EQ(Core().ListBox.Close(h), 0);
    }
    const int list = NewFilledList(w.Handle(), "");
    EXPECT_EQ(Core().ListBox.AddString(list, nullptr), 0);
    EXPECT_EQ(Core().Window.CreateListBox(99999, 0, 0, 10, 10), 0);
}

// The GDI objects a control made for itself: a button's font and the
// drawing context of its saved background, an off-screen surface of its
// own; a list's font and brush. (Wine does not count a process's GDI
// objects: GetGuiResources returns 0.)
struct HeldObjects {
    std::vector<HGDIOBJ> objects;
    int savedBackground = 0;
};

HeldObjects HeldBy(int control) {
    const CorItem& item = *Core().FindItem(control);
    if (!item.button)
        return {{item.list->font, item.list->brush}, 0};
    const int saved = item.button->savedBackground;
    return {{item.button->font, Core().Bitmap.Surface(saved)->BackDC()}, saved};
}

struct ControlMaker {
    const char* name;
    int (*create)(int window);
    int (*close)(int control);
};

const ControlMaker kControlsHoldingObjects[] = {
    {"transparent button",
     [](int window) { return Core().Window.CreateButton(window, 10, 10, 80, 24, "Go", "transparent=128"); },
     [](int control) { return Core().Button.Close(control); }},
    {"list box", [](int window) { return Core().Window.CreateListBox(window, 10, 40, 80, 60); },
     [](int control) { return Core().ListBox.Close(control); }},
    {"combo box", [](int window) { return Core().Window.CreateComboBox(window, 10, 40, 80, 60); },
     [](int control) { return Core().ListBox.Close(control); }},
};

TEST(CorvaneControls, FreeWhatTheyHeldWhenClosedOrWithTheirWindow) {
    for (const ControlMaker& c : kControlsHoldingObjects) {
        for (const bool withItsWindow : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (withItsWindow ? ", its window closed" : ", closed"));
            CControlWindow w;
            const int control = c.create(w.Handle());
            ASSERT_NE(control, 0);
            const HeldObjects held = HeldBy(control);
            for (HGDIOBJ object : held.objects)
                ASSERT_NE(GetObjectType(object), 0u);
            if (withItsWindow)
                Core().Window.Close(w.Handle());
            else
                EXPECT_EQ(c.close(control), 1);
            for (HGDIOBJ object : held.objects)
                EXPECT_EQ(GetObjectType(object), 0u);
            EXPECT_EQ(Core().FindItem(control), nullptr) << "no longer live";
            EXPECT_EQ(Core().FindItem(held.savedBackground), nullptr);
            EXPECT_EQ(c.close(control), 0) << "its handle names nothing now";
        }
    }
}

TEST(CorvaneComboBox, ChoiceByKeysAndByTheDroppedListWakesTheWaiter) {
    CControlWindow w("");
    const int combo = Core().Window.CreateComboBox(w.Handle(), 10, 10, 120, 100, "sunken");
    ASSERT_NE(combo, 0);
    for (const char* text : {"English", "Deutsch", "Francais"})
        Core().ListBox.AddString(combo, text);
    const HWND hwnd = ItemWindow(combo);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(GetDlgCtrlID(hwnd), 103);
    // The down key on the closed box chooses the next item at once.
    EXPECT_TRUE(ActionWakes(w.Handle(), "ListBox", [&] { SendMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 0); }));
    EXPECT_EQ(Core().ListBox.GetSelection(combo), 0);
    EXPECT_EQ(Core().ListBox.Selected(combo), 1);
    // In the open list the keys only browse; Enter confirms.
    SendMessageA(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(hwnd, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Core().ListBox.Selected(combo), 0) << "browsing is no choice";
    EXPECT_TRUE(ActionWakes(w.Handle(), "ListBox", [&] { SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0); }));
    EXPECT_EQ(Core().ListBox.GetSelection(combo), 2);
    EXPECT_EQ(Core().ListBox.Selected(combo), 1);
}

// Records what an edit box's callbacks are given: the filter rejects "x".
struct EditWatch {
    std::vector<WPARAM> filtered;
    std::vector<WPARAM> changes;
    std::vector<std::string> textsSeen;
    LRESULT changeResult = 0;

    static bool Filter(void* self, int, WPARAM character) {
        static_cast<EditWatch*>(self)->filtered.push_back(character);
        return character != 'x';
    }
    static LRESULT Change(void* self, int edit, WPARAM* wParam, LPARAM*) {
        auto* watch = static_cast<EditWatch*>(self);
        watch->changes.push_back(*wParam);
        watch->textsSeen.push_back(Core().Window.GetEditText(edit));
        return watch->changeResult;
    }
};

TEST(CorvaneEditBox, FilterRejectsACharacterAndTheChangeCallbackSeesTheTextAfterIt) {
    CControlWindow w;
    const int edit = Core().Window.CreateEditBox(w.Handle(), 10, 10, 150, 24);
    EditWatch watch;
    ASSERT_EQ(Core().Window.SetEditFilter(edit, EditWatch::Filter, &watch), 1);
    ASSERT_EQ(Core().Window.SetEditChangeCallback(edit, EditWatch::Change, &watch), 1);
    const HWND hwnd = ItemWindow(edit);
    for (char c : std::string("axb"))
        SendMessageA(hwnd, WM_CHAR, static_cast<WPARAM>(c), 0);
    EXPECT_EQ(Core().Window.GetEditText(edit), "ab");
    EXPECT_EQ(watch.filtered, (std::vector<WPARAM>{'a', 'x', 'b'}));
    EXPECT_EQ(watch.changes, (std::vector<WPARAM>{'a', 'b'}));
    EXPECT_EQ(watch.textsSeen, (std::vector<std::string>{"a", "ab"}));

    SendMessageA(hwnd, EM_SETSEL, 0, 0);
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof(focus);
    GetGUIThreadInfo(CWorkerApp::MainThreadId(), &focus);
    EXPECT_EQ(focus.hwndFocus, hwnd) << "selecting gives the box the focus";
    SendMessageA(hwnd, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(watch.textsSeen.back(), "b") << "Delete reaches the box first";
    EXPECT_EQ(watch.changes.back(), static_cast<WPARAM>(VK_DELETE));
}

TEST(CorvaneEditBox, EscapeIsOfferedToTheChangeCallbackFirst) {
    CControlWindow w;
    const int edit = Core().Window.CreateEditBox(w.Handle(), 10, 10, 150, 24);
    EditWatch watch;
    Core().Window.SetEditChangeCallback(edit, EditWatch::Change, &watch);
    Core().Window.SetEditText(edit, "C:\\Orvalis");
    watch.changeResult = 1;
    SendMessageA(ItemWindow(edit), WM_CHAR, VK_ESCAPE, 0);
    ASSERT_EQ(watch.changes.size(), 1u);
    EXPECT_EQ(watch.changes[0], static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_EQ(watch.textsSeen[0], "C:\\Orvalis");
    EXPECT_EQ(Core().Window.SetEditFilter(w.Handle(), EditWatch::Filter, &watch), 0) << "a window is no edit box";
}

struct DrawCall {
    std::atomic<int> item{0};
    std::atomic<UINT> message{0};
    std::atomic<UINT> control{0};

    static LRESULT Record(int item, void* self, UINT message, WPARAM, LPARAM lParam) {
        auto* call = static_cast<DrawCall*>(self);
        call->control = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType;
        call->message = message;
        call->item = item;
        return TRUE;
    }
};

// The control draws into the context given, as when it is printed.
void PrintClient(HWND control) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST(CorvaneChildPanel, OwnerDrawCallbackGetsItsHandleAndTheDrawMessage) {
    CControlWindow w;
    DrawCall call;
    const int panel =
        Core().Window.CreateChildPanel(w.Handle(), 10, 10, 60, 40, "", DrawCall::Record, &call);
    ASSERT_NE(panel, 0);
    PrintClient(ItemWindow(panel));
    EXPECT_EQ(call.item.load(), panel);
    EXPECT_EQ(call.message.load(), 1047u);
    EXPECT_EQ(call.control.load(), static_cast<UINT>(ODT_STATIC));
    EXPECT_EQ(GetParent(ItemWindow(panel)), w.Hwnd());
    EXPECT_EQ(Core().FindItem(panel)->kind, 11);
}

TEST(CorvaneChildPanel, OptionsChooseItsClassAndVisibility) {
    CControlWindow w;
    struct Case {
        const char* options;
        const char* className;
        bool visible;
    } cases[] = {
        {"", "qv_CorStatic", true},
        {"hide", "qv_CorStatic", false},
        {"regularwindow", "qv_CorUserWindow", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const HWND hwnd = ItemWindow(Core().Window.CreateChildPanel(w.Handle(), 0, 0, 20, 20, c.options));
        char name[32] = {};
        GetClassNameA(hwnd, name, sizeof(name));
        EXPECT_STREQ(name, c.className);
        EXPECT_EQ((GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0, c.visible);
    }
    EXPECT_EQ(Core().Window.CreateChildPanel(99999, 0, 0, 20, 20, ""), 0);
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
