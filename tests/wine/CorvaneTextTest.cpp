// Text written into surfaces: markup colours, line feeds and scrolling, the
// state after a Write, and shadowed text; read back from the back buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class CTextWindow {
  public:
    CTextWindow() : m_nHandle(NewWindow()) {
        Core().Window.AlwaysBuffer(m_nHandle);
        Core().Window.SetFont(m_nHandle, "Arial,20,bold");
    }
    ~CTextWindow() { Core().Window.Destroy(m_nHandle); }
    int Handle() const { return m_nHandle; }
    CWindowSurface& Surface() const { return *Core().Window.Surface(m_nHandle); }
    COLORREF Pixel(int x, int y) const { return GetPixel(Surface().BackDC(), x, y); }

    // How many pixels of the box have exactly this colour.
    int Count(COLORREF colour, RECT box) const {
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                count += Pixel(x, y) == colour;
        return count;
    }

  private:
    int m_nHandle;
};

COLORREF NamedColour(const char* name) {
    uint32_t colour = 0;
    EXPECT_TRUE(Core().Colours().Find(name, colour)) << name;
    return colour;
}

TEST(CorvaneText, TagColoursTheTextUntilItsReset) {
    CTextWindow w;
    const COLORREF blue = NamedColour("b");
    Core().Window.Write(w.Handle(), "{b}HH{/}HH");
    const int lineHeight = w.Surface().LineHeight();
    const int split = w.Surface().cursor.x / 2;
    EXPECT_GT(w.Count(blue, {0, 0, split, lineHeight}), 20) << "the first half is blue";
    EXPECT_EQ(w.Count(blue, {split, 0, 200, lineHeight}), 0);
    EXPECT_GT(w.Count(kWhite, {split, 0, 200, lineHeight}), 20) << "the reset brings white back";
}

// Where each pixel of text lies, whatever its colour.
std::vector<bool> InkOf(const CTextWindow& w) {
    std::vector<bool> ink;
    const COLORREF background = w.Surface().BackgroundColour();
    for (int y = 0; y < w.Surface().Height(); ++y)
        for (int x = 0; x < w.Surface().Width(); ++x)
            ink.push_back(w.Pixel(x, y) != background);
    return ink;
}

TEST(CorvaneText, TagsChangeColoursButNotWhereTheTextGoes) {
    CTextWindow plain, tagged;
    for (const CTextWindow* w : {&plain, &tagged})
        Core().Window.SetFont(w->Handle(), "Arial,16,+italic,+bold");
    Core().Window.Write(plain.Handle(), "white, blue, yellow");
    Core().Window.Write(tagged.Handle(), "white, {b}blue{/}, {fg=Yellow}yellow{/}");
    EXPECT_EQ(plain.Surface().cursor.x, tagged.Surface().cursor.x);
    EXPECT_TRUE(InkOf(plain) == InkOf(tagged)) << "the runs are not where the plain text puts them";
}

TEST(CorvaneText, StateIsTheSameAfterAWriteWhateverWasLeftOpen) {
    CTextWindow w;
    CWindowSurface& s = w.Surface();
    const HFONT font = s.CurrentFont();
    const NamedFont* record = s.CurrentRecord();
    Core().DefineFont("TextTestFont", "Courier New,30");
    Core().Window.Write(w.Handle(), "{fg=Red}{bg=Yellow}{TextTestFont}{italic}open");
    EXPECT_EQ(GetTextColor(s.BackDC()), kWhite);
    EXPECT_EQ(GetBkColor(s.BackDC()), s.BackgroundColour());
    EXPECT_EQ(static_cast<HFONT>(GetCurrentObject(s.BackDC(), OBJ_FONT)), font);
    EXPECT_EQ(s.CurrentRecord(), record);
}

TEST(CorvaneText, LineFeedsMoveTheCursorAndTheBottomScrollsByTheMissingPixels) {
    CTextWindow w;
    CWindowSurface& s = w.Surface();
    const int lineHeight = s.LineHeight();
    Core().Window.Write(w.Handle(), "ab\n");
    EXPECT_EQ(Core().Window.GetXPos(w.Handle()), 0);
    EXPECT_EQ(Core().Window.GetYPos(w.Handle()), lineHeight);

    Core().Window.Line(w.Handle(), 0, 100, 199, 100, kRed);
    const int missing = 7;
    Core().Window.GotoXY(w.Handle(), 150, s.Height() - lineHeight + missing);
    Core().Window.Write(w.Handle(), "x");
    EXPECT_EQ(Core().Window.GetYPos(w.Handle()), s.Height() - lineHeight);
    EXPECT_EQ(w.Pixel(10, 100 - missing), kRed) << "the window moved up by exactly the missing pixels";
    EXPECT_NE(w.Pixel(10, 100), kRed);
    EXPECT_EQ(w.Pixel(10, s.Height() - 1), s.BackgroundColour()) << "the freed line is cleared";

    Core().Window.SetAutoScroll(w.Handle(), false);
    Core().Window.GotoXY(w.Handle(), 0, s.Height() - 2);
    Core().Window.Write(w.Handle(), "x");
    EXPECT_EQ(Core().Window.GetYPos(w.Handle()), s.Height() - 2) << "no scrolling when it is off";
}

// The box of every pixel of one colour.
RECT BoxOf(const CTextWindow& w, COLORREF colour) {
    RECT box = {10000, 10000, -1, -1};
    for (int y = 0; y < w.Surface().Height(); ++y)
        for (int x = 0; x < w.Surface().Width(); ++x)
            if (w.Pixel(x, y) == colour)
                box = {std::min(box.left, static_cast<LONG>(x)), std::min(box.top, static_cast<LONG>(y)),
                       std::max(box.right, static_cast<LONG>(x)), std::max(box.bottom, static_cast<LONG>(y))};
    return box;
}

TEST(CorvaneText, ShadowLiesAtThePointAndTheTextUpAndLeftOfIt) {
    CTextWindow plain, shadowed;
    for (const CTextWindow* w : {&plain, &shadowed}) {
        Core().Window.Cls(w->Handle(), kWhite);
        Core().Window.SetfgColor(w->Handle(), kRed);
    }
    Core().Window.GotoXY(plain.Handle(), 47, 47);
    Core().Window.Write(plain.Handle(), "Hi");
    Core().Window.WriteShadow(shadowed.Handle(), 50, 50, "Hi");
    const RECT text = BoxOf(shadowed, kRed);
    const RECT reference = BoxOf(plain, kRed);
    EXPECT_EQ(text.left, reference.left) << "the text is drawn 3 pixels left of the point";
    EXPECT_EQ(text.top, reference.top);
    // Darkened pixels lie beyond the text's bottom right, where the shadow is.
    const COLORREF beyond = shadowed.Pixel(text.right + 2, text.bottom + 2);
    EXPECT_LT(GetRValue(beyond), 250) << std::hex << beyond;
    EXPECT_EQ(GetRValue(beyond), GetBValue(beyond)) << "the shadow is grey";
}

// A Write that never gets the toolkit-wide write lock gives up after its
// attempts instead of waiting for ever, and draws nothing unguarded.
TEST(CorvaneText, WriteWithoutTheWriteLockGivesUpAndDrawsNothing) {
    CTextWindow w;
    ASSERT_TRUE(Core().WriteLock().TryAcquire());
    Core().Window.Write(w.Handle(), "never drawn");
    Core().WriteLock().Release();
    EXPECT_EQ(w.Count(w.Surface().BackgroundColour(), {0, 0, 200, 150}), 200 * 150);
    EXPECT_EQ(Core().Window.GetXPos(w.Handle()), 0);
}

// The installer draws through its window objects.
TEST(CorvaneText, WindowObjectsDrawOnTheirOwnWindow) {
    CTextWindow w;
    const CCorWindow window(w.Handle());
    window.Cls(kRed);
    EXPECT_EQ(w.Pixel(5, 5), kRed);
    window.SetFont("Arial,12");
    window.GotoXY(3, 4);
    window.Write("ab");
    EXPECT_EQ(Core().Window.GetYPos(w.Handle()), 4);
    EXPECT_GT(Core().Window.GetXPos(w.Handle()), 3);
    EXPECT_EQ(CCorWindow().Write("x"), 0) << "a window object naming no window draws nothing";
}

TEST(CorvaneText, ShadowOfAnEmptyTextDrawsNothing) {
    CTextWindow w;
    Core().Window.Cls(w.Handle(), kWhite);
    Core().Window.WriteShadow(w.Handle(), 10, 10, "");
    EXPECT_EQ(w.Count(kWhite, {0, 0, 200, 150}), 200 * 150);
}

}  // namespace
