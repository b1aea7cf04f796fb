// Text windows ("textonly"): lines written from the worker while the window's
// thread paints, the scroll bar and scrolling as the window shows them, the
// log file's bytes, typed lines and a detached window's close box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/wine/ToolkitTestSupport.h"
#include "toolkit/portable/text/Markup.h"
#include "toolkit/portable/textwindow/TextLog.h"
#include "toolkit/textwindow/TextWindow.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

// A visible text window: it draws straight onto the screen, which is what
// these tests read back.
class CTextOnlyWindow {
  public:
    explicit CTextOnlyWindow(const char* options = "textonly", int parent = 0)
        : m_nHandle(Core().Window.CreateWindow(parent, 40, 40, kWidth, kHeight, "Log window", options)) {}
    ~CTextOnlyWindow() { Core().Window.Destroy(m_nHandle); }

    int Handle() const { return m_nHandle; }
    HWND Window() const { return Core().Window.GetHwnd(m_nHandle); }
    TextWindow& Text() const { return *Core().Window.TextWindowOf(m_nHandle); }

    void WriteLines(int first, int count) const {
        for (int n = first; n < first + count; ++n)
            Core().Window.Write(m_nHandle, ("Line " + std::to_string(n) + "\n").c_str());
    }

    SCROLLINFO ScrollInfo() const {
        EXPECT_TRUE(WaitFor([this] { return Text().IsScrollBarCurrent(); }));
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        GetScrollInfo(Window(), SB_VERT, &info);
        return info;
    }
    // The bar as the window shows it, once the refresh timer has set it for
    // the lines written from this thread.
    bool ScrollBarVisible() const {
        EXPECT_TRUE(WaitFor([this] { return Text().IsScrollBarCurrent(); }));
        return (GetWindowLongA(Window(), GWL_STYLE) & WS_VSCROLL) != 0;
    }

    // The client area as the screen shows it, one colour per pixel, read
    // until two readings agree: a paint under way meanwhile shows part of
    // the lines it replaces.
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> pixels = ReadPixels();
        for (int reading = 0; reading < kMaxReadings; ++reading) {
            std::vector<COLORREF> again = ReadPixels();
            if (again == pixels)
                break;
            pixels.swap(again);
        }
        return pixels;
    }
    std::vector<COLORREF> ReadPixels() const {
        RECT client;
        GetClientRect(Window(), &client);
        std::vector<COLORREF> pixels;
        HDC dc = GetDC(Window());
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(Window(), dc);
        m_nPixelWidth = client.right;
        return pixels;
    }
    int PixelWidth() const { return m_nPixelWidth; }
    COLORREF Pixel(POINT at) const {
        HDC dc = GetDC(Window());
        const COLORREF colour = GetPixel(dc, at.x, at.y);
        ReleaseDC(Window(), dc);
        return colour;
    }
    int ClientHeight() const {
        RECT client;
        GetClientRect(Window(), &client);
        return client.bottom;
    }

    // Scrolls as the bar's arrows do and waits for the repaint. The window's
    // thread may have begun that paint itself, which validates the window
    // before the lines are drawn: once it answers a message, it has drawn.
    void Scroll(WORD request) const {
        SendMessageA(Window(), WM_VSCROLL, MAKEWPARAM(request, 0), 0);
        UpdateWindow(Window());
        SendMessageA(Window(), WM_NULL, 0, 0);
    }

  private:
    static constexpr int kMaxReadings = 20;
    int m_nHandle;
    mutable int m_nPixelWidth = 0;
};

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string TempPath(const char* name) {
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    return *std::localtime(&now);
}

TEST(CorvaneTextWindow, KeepsEveryLineWrittenWhileTheWindowPaints) {
    CTextOnlyWindow w;
    ASSERT_NE(w.Handle(), 0);
    // The window's own thread repaints as fast as it can meanwhile, besides
    // the refresh timer.
    std::atomic<bool> writing{true};
    std::thread painter([&] {
        while (writing) {
            InvalidateRect(w.Window(), nullptr, FALSE);
            UpdateWindow(w.Window());
        }
    });
    w.WriteLines(1, 600);
    writing = false;
    painter.join();

    // The 500 newest lines.
    TextWindow& text = w.Text();
    ASSERT_EQ(text.LineCount(), 500);
    for (int n = 0; n < 500; ++n)
        ASSERT_EQ(text.LineText(n), "Line " + std::to_string(101 + n)) << n;
}

TEST(CorvaneTextWindow, ScrollBarAppearsAtAPageAndStandsAtTheEnd) {
    CTextOnlyWindow w;
    const int page = w.Text().PageLines();
    ASSERT_GT(page, 2);
    w.WriteLines(1, page - 1);
    EXPECT_FALSE(w.ScrollBarVisible()) << "everything is in view";
    w.WriteLines(page, 1);
    // Showing the bar narrows the client area but not its height, so the
    // page stays.
    ASSERT_TRUE(w.ScrollBarVisible()) << "exactly a page of lines";
    SCROLLINFO info = w.ScrollInfo();
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, page - 1);
    EXPECT_EQ(static_cast<int>(info.nPage), page);
    EXPECT_EQ(info.nPos, 0);

    w.WriteLines(page + 1, 600);
    info = w.ScrollInfo();
    EXPECT_EQ(info.nMax, 499);
    EXPECT_EQ(info.nPos, 500 - page) << "the view is at the end";
}

TEST(CorvaneTextWindow, LineDownMovesTheViewByOneLine) {
    CTextOnlyWindow w;
    w.WriteLines(1, 60);
    const int lineHeight = w.Text().LineHeight();
    ASSERT_GT(lineHeight, 0);
    // Away from the end, where the last line is no longer kept flush with
    // the bottom edge.
    w.Scroll(SB_LINEUP);
    w.Scroll(SB_LINEUP);
    const int position = w.ScrollInfo().nPos;
    const std::vector<COLORREF> before = w.Pixels();
    w.Scroll(SB_LINEDOWN);
    EXPECT_EQ(w.ScrollInfo().nPos, position + 1);
    const std::vector<COLORREF> after = w.Pixels();
    const int width = w.PixelWidth();
    const int rows = static_cast<int>(before.size()) / width;
    ASSERT_GT(rows, 2 * lineHeight);
    EXPECT_NE(before, after);
    for (int y = 0; y + lineHeight < rows; ++y) {
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(after[y * width + x], before[(y + lineHeight) * width + x]) << x << "," << y;
    }
}

TEST(CorvaneTextWindow, LogHoldsOneHeaderTheSourceTextsAndTheFooter) {
    const std::string path = TempPath("corvane-text-window.log");
    {
        CTextOnlyWindow w;
        const std::tm started = LocalNow();
        ASSERT_EQ(Core().Window.StartLog(w.Handle(), path.c_str()), 1);
        const std::tm startedBy = LocalNow();
        EXPECT_EQ(Core().Window.StartLog(w.Handle(), path.c_str()), 1) << "already logging";
        Core().Window.Write(w.Handle(), "{b}blue{/} plain\n");
        Core().Window.Write(w.Handle(), "");
        EXPECT_EQ(Core().Window.EndLog(w.Handle()), 1);
        const std::string expected = std::string("{b}blue{/} plain\n\r\n") + "\r\n" + kLogFooter;
        const std::string bytes = FileBytes(path);
        // The header's time is the second the log started in.
        const std::string header = bytes.substr(0, LogHeader(started, "Log window").size());
        EXPECT_TRUE(header == LogHeader(started, "Log window") || header == LogHeader(startedBy, "Log window"))
            << header;
        EXPECT_EQ(bytes.substr(header.size()), expected);
        EXPECT_EQ(bytes.find(":: Corvane Log"), bytes.rfind(":: Corvane Log")) << "one header";

        // The window shows the word in blue.
        uint32_t blue = 0;
        ASSERT_TRUE(Core().Colours().Find("b", blue));
        const std::vector<COLORREF> pixels = w.Pixels();
        EXPECT_NE(std::find(pixels.begin(), pixels.end(), blue), pixels.end());
    }
    std::remove(path.c_str());
    const int plain = NewWindow();
    EXPECT_EQ(Core().Window.StartLog(plain, path.c_str()), 0) << "not a text window";
    Core().Window.Destroy(plain);
}

TEST(CorvaneTextWindow, ReadLineReturnsWhatWasTypedAndEscapeGivesNothing) {
    CTextOnlyWindow w;
    Core().Window.Write(w.Handle(), "Name? ");
    for (int key : {int{'a'}, int{'x'}, 8, int{'b'}, 13})
        PostMessageA(w.Window(), WM_CHAR, key, 0);
    EXPECT_STREQ(Core().Window.ReadLine(w.Handle()), "ab");
    EXPECT_EQ(w.Text().LineText(0), "Name? ab");

    Core().Window.Write(w.Handle(), "\nAgain? ");
    for (int key : {int{'q'}, 27})
        PostMessageA(w.Window(), WM_CHAR, key, 0);
    EXPECT_STREQ(Core().Window.ReadLine(w.Handle()), "");
    EXPECT_EQ(w.Text().LineText(1), "Again? ");
}

TEST(CorvaneTextWindow, ReadLineTypesIntoTheLinesHeldWhenTheKeysCome) {
    CTextOnlyWindow w;
    Core().Window.Write(w.Handle(), "Name? ");
    // The ring is replaced by a larger one, in memory of its own, while
    // ReadLine waits for its first key.
    std::thread typist([&] {
        EXPECT_TRUE(WaitFor([&] { return w.Text().LineText(0) == "Name? _"; }));
        Core().Window.SetTextLines(w.Handle(), 2000);
        for (int key : {int{'a'}, 13})
            PostMessageA(w.Window(), WM_CHAR, key, 0);
    });
    EXPECT_STREQ(Core().Window.ReadLine(w.Handle()), "a");
    typist.join();
    EXPECT_EQ(w.Text().LineText(0), "Name? a");
}

TEST(CorvaneTextWindow, TakesItsHostsNewBackgroundAndFont) {
    CTextOnlyWindow w;
    Core().Window.Write(w.Handle(), "Short line\n");
    const int lineHeight = w.Text().LineHeight();
    const POINT empty = {kWidth - 30, kHeight - 60};
    Core().Window.SetbgColor(w.Handle(), RGB(200, 0, 0));
    EXPECT_TRUE(WaitFor([&] { return w.Pixel(empty) == RGB(200, 0, 0); })) << "repainted by the refresh timer";

    Core().Window.SetFont(w.Handle(), "Arial,40");
    EXPECT_GT(w.Text().LineHeight(), lineHeight);
    EXPECT_EQ(w.Text().PageLines(), w.ClientHeight() / w.Text().LineHeight());

    // The system's colours and the fixed font instead of the host's.
    CTextOnlyWindow system("textonly usedefaultcolors defaultfont");
    Core().Window.Write(system.Handle(), "Short line\n");
    EXPECT_TRUE(WaitFor([&] { return system.Pixel(empty) == GetSysColor(COLOR_WINDOW); }));
    HDC dc = GetDC(system.Window());
    HFONT courier = CreateFontA(-14, 8, 0, 0, 700, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    HGDIOBJ previous = SelectObject(dc, courier);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    DeleteObject(courier);
    ReleaseDC(system.Window(), dc);
    EXPECT_EQ(system.Text().LineHeight(), metrics.tmHeight);
}

TEST(CorvaneTextWindow, ShapesDrawnOnTheWindowReachTheScreenAtOnce) {
    for (const char* options : {"textonly", "textonly hide"}) {
        SCOPED_TRACE(options);
        CTextOnlyWindow w(options);
        Core().Window.Show(w.Handle(), 0);
        UpdateWindow(w.Window());
        // The text window's next paint covers the whole window.
        ASSERT_TRUE(WaitFor([&] { return !w.Text().IsDirty(); }));
        Core().Window.Rectangle(w.Handle(), 20, 20, 40, 30, RGB(0, 200, 0));
        EXPECT_EQ(w.Pixel({40, 35}), RGB(0, 200, 0));
    }
}

// A plain window of one colour, for a see-through window to show: what
// the bare screen shows differs from machine to machine, and may be the
// window's own background.
class CBackdrop {
  public:
    CBackdrop(int x, int y, COLORREF colour) : m_hBrush(CreateSolidBrush(colour)) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = m_hBrush;
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        m_hWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_VISIBLE, x, y, kWidth, kHeight,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(m_hWindow);
    }
    ~CBackdrop() {
        DestroyWindow(m_hWindow);
        UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
        DeleteObject(m_hBrush);
    }
    CBackdrop(const CBackdrop&) = delete;
    CBackdrop& operator=(const CBackdrop&) = delete;

  private:
    static constexpr const char* kClassName = "CorvaneTestBackdrop";
    HBRUSH m_hBrush;
    HWND m_hWindow = nullptr;
};

TEST(CorvaneTextWindow, SeeThroughWindowShowsWhatWasBehindIt) {
    // What lies where the window's client area will be: the screen there,
    // not the window's background.
    const int x = 300, y = 300;
    const COLORREF behind = RGB(200, 40, 160);
    const CBackdrop backdrop(x, y, behind);
    HDC screen = GetDC(nullptr);
    ASSERT_TRUE(WaitFor([&] { return GetPixel(screen, x + 40, y + 80) == behind; }));
    ReleaseDC(nullptr, screen);
    const int handle = Core().Window.CreateWindow(0, x, y, kWidth, kHeight, "See-through", "textonly transparent");
    CTextOnlyWindow plain;
    const HWND window = Core().Window.GetHwnd(handle);
    POINT spot = {x + 40, y + 80};
    ScreenToClient(window, &spot);
    ASSERT_GT(spot.y, 0);
    ASSERT_NE(behind, plain.Pixel({40, 40}));
    Core().Window.Write(handle, "Text over the picture\n");
    HDC dc = GetDC(window);
    EXPECT_TRUE(WaitFor([&] { return GetPixel(dc, spot.x, spot.y) == behind; }));
    ReleaseDC(window, dc);
    Core().Window.Destroy(handle);
}

// The window of a free-standing text window is made by the thread that will
// serve it, here the main thread.
void MakeFreeWindow(void* text, void* made) {
    *static_cast<bool*>(made) = static_cast<TextWindow*>(text)->CreateTextWindow(60, 60, 300, 200, "Free");
}

TEST(CorvaneTextWindow, FreeStandingWindowTakesTextAndCloses) {
    TextWindowSetUp setUp;
    TextWindow text(Core(), setUp, *Core().Window.Surface(1));
    bool made = false;
    ASSERT_EQ(Core().RunOnMainThread(MakeFreeWindow, &text, &made), 1);
    ASSERT_TRUE(made);
    const HWND window = text.Window();
    text.Show(SW_SHOWNA);
    MarkupText line;
    line.source = "First line\nSecond";
    line.sourceLength = std::strlen(line.source);
    EXPECT_TRUE(text.AppendText(line, 7));
    EXPECT_EQ(text.LineCount(), 2);
    EXPECT_EQ(text.LineText(1), "Second");
    text.CloseTextWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(text.IsAlive());
}

TEST(CorvaneTextWindow, FreeStandingWindowGoesWithItsObject) {
    HWND window = nullptr;
    {
        TextWindowSetUp setUp;
        TextWindow text(Core(), setUp, *Core().Window.Surface(1));
        bool made = false;
        ASSERT_EQ(Core().RunOnMainThread(MakeFreeWindow, &text, &made), 1);
        ASSERT_TRUE(made);
        window = text.Window();
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST(CorvaneTextWindow, DetachedWindowIgnoresItsCloseBox) {
    const int parent = Core().Window.CreateWindow(0, 20, 20, 400, 300, "Parent", "");
    CTextOnlyWindow w("textonly child", parent);
    const HWND window = w.Window();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Core().Window.ToggleAttach(w.Handle()), 1);
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Core().Window.CloseRequested(w.Handle()), 0);

    ASSERT_EQ(Core().Window.ToggleAttach(w.Handle()), 1);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window)) << "attached, it closes again";
    Core().Window.Destroy(parent);
}

TEST(CorvaneTextWindow, DetachedWindowKeepsItsOwnColours) {
    const int parent = Core().Window.CreateWindow(0, 20, 20, 400, 300, "Parent", "");
    CTextOnlyWindow w("textonly child", parent);
    Core().Window.SetbgColor(w.Handle(), RGB(0, 120, 0));
    Core().Window.Write(w.Handle(), "Short line\n");
    ASSERT_EQ(Core().Window.ToggleAttach(w.Handle()), 1);
    RECT client;
    GetClientRect(w.Window(), &client);
    const POINT empty = {client.right - 10, client.bottom - 10};
    EXPECT_TRUE(WaitFor([&] { return w.Pixel(empty) == RGB(0, 120, 0); }));
    Core().Window.Destroy(parent);
}

}  // namespace
