// Drawing into surfaces, read back pixel by pixel from the back buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kDarkBlue = RGB(0, 0, 96);

// Gradients come out in the display's colour depth, a few steps off.
bool SimilarColour(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 8 && std::abs(GetGValue(a) - GetGValue(b)) < 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 8;
}

// A hidden window that always draws into its back buffer.
class CBufferedWindow {
  public:
    CBufferedWindow() : m_nHandle(NewWindow()) { Core().Window.AlwaysBuffer(m_nHandle); }
    ~CBufferedWindow() { Core().Window.Destroy(m_nHandle); }
    int Handle() const { return m_nHandle; }
    CWindowSurface& Surface() const { return *Core().Window.Surface(m_nHandle); }
    COLORREF Pixel(int x, int y) const { return GetPixel(Surface().BackDC(), x, y); }

  private:
    int m_nHandle;
};

struct FirstPaint {
    HWND window;
    CWindowSurface* surface;
    COLORREF back;
};

// The window's thread paints it and reads its back buffer, a DC it owns:
// read from another thread while a paint uses it, it would give nothing.
void PaintAndReadBack(void* paint, void*) {
    FirstPaint& p = *static_cast<FirstPaint*>(paint);
    RedrawWindow(p.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    p.back = GetPixel(p.surface->BackDC(), 5, 5);
}

TEST(CorvaneSurface, NewWindowShowsItsBackgroundAfterTheFirstPaint) {
    const int w = NewWindow("");
    const HWND window = Core().Window.GetHwnd(w);
    FirstPaint paint = {window, Core().Window.Surface(w), CLR_INVALID};
    ASSERT_EQ(Core().RunOnMainThread(PaintAndReadBack, &paint, nullptr), 1);
    EXPECT_EQ(paint.back, kDarkBlue);
    HDC screen = GetDC(window);
    EXPECT_EQ(GetPixel(screen, 5, 5), kDarkBlue);
    ReleaseDC(window, screen);
    Core().Window.Destroy(w);
}

TEST(CorvaneSurface, HiddenAndShownAgainTheWindowKeepsWhatItShowed) {
    const int w = NewWindow("");
    const HWND window = Core().Window.GetHwnd(w);
    // The first paint of a visible window clears its back buffer: it must
    // come before the drawing, however late a busy machine sends it.
    UpdateWindow(window);
    Core().Window.AlwaysBuffer(w);
    Core().Window.Rectangle(w, 10, 10, 40, 30, RGB(200, 40, 40));
    Core().Window.Update(w);
    Core().Window.Hide(w);
    Core().Window.Show(w, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
    HDC dc = GetDC(window);
    EXPECT_TRUE(WaitFor([&] { return GetPixel(dc, 20, 20) == RGB(200, 40, 40); }));
    ReleaseDC(window, dc);
    Core().Window.Destroy(w);
}

TEST(CorvaneSurface, ClsFillsGradientsAndRepeatsTheLastClear) {
    CBufferedWindow w;
    CWindowOps& ops = Core().Window;
    w.Surface().cursor = {40, 40};
    ops.Cls(w.Handle(), kGreen);
    EXPECT_EQ(w.Pixel(0, 0), kGreen);
    EXPECT_EQ(w.Pixel(199, 149), kGreen);
    EXPECT_EQ(w.Surface().BackgroundColour(), kGreen);
    EXPECT_EQ(w.Surface().cursor.x, 0);

    ops.Cls(w.Handle(), kRed, kBlue);
    EXPECT_TRUE(SimilarColour(w.Pixel(0, 75), kRed)) << std::hex << w.Pixel(0, 75);
    EXPECT_TRUE(SimilarColour(w.Pixel(w.Surface().Width() - 1, 75), kBlue)) << std::hex << w.Pixel(199, 75);

    ops.Rectangle(w.Handle(), 0, 0, 200, 150, kGreen);
    ops.Cls(w.Handle());  // the gradient again
    EXPECT_TRUE(SimilarColour(w.Pixel(0, 75), kRed));
    ops.Cls(w.Handle(), kGreen);
    ops.Rectangle(w.Handle(), 0, 0, 200, 150, kRed);
    ops.Cls(w.Handle());  // now the one colour
    EXPECT_EQ(w.Pixel(100, 75), kGreen);
}

TEST(CorvaneSurface, RectangleOutlinesInThePenOrTheFillColour) {
    CBufferedWindow w;
    Core().Window.Rectangle(w.Handle(), 10, 10, 20, 20, kRed);
    EXPECT_EQ(w.Pixel(10, 10), kRed) << "pen -1 outlines in the fill colour";
    EXPECT_EQ(w.Pixel(20, 20), kRed);
    EXPECT_EQ(w.Pixel(30, 30), kDarkBlue) << "the right and bottom edges are exclusive";
    Core().Window.Rectangle(w.Handle(), 50, 10, 20, 20, kRed, kGreen);
    EXPECT_EQ(w.Pixel(50, 10), kGreen);
    EXPECT_EQ(w.Pixel(60, 20), kRed);
    Core().Window.Line(w.Handle(), 0, 100, 199, 100, kBlue);
    EXPECT_EQ(w.Pixel(120, 100), kBlue);
}

// Two rows of two pixels: blue-green-red bytes, each row padded to 4 bytes.
std::vector<uint8_t> RedRowThenGreenRow() {
    return {0, 0,   255, 0, 0,   255, 0, 0,   // red, red, padding
            0, 255, 0,   0, 255, 0,   0, 0};  // green, green, padding
}

TEST(CorvaneSurface, Dib24RowsAreBottomUpUnlessTheLineCountIsNegative) {
    CBufferedWindow w;
    const std::vector<uint8_t> pixels = RedRowThenGreenRow();
    Core().Window.PutDIB24(w.Handle(), 0, 0, 2, 2, pixels.data());
    EXPECT_EQ(w.Pixel(0, 0), kGreen) << "the first row of data is the bottom row";
    EXPECT_EQ(w.Pixel(1, 1), kRed);
    Core().Window.PutDIB24(w.Handle(), 10, 0, 2, -2, pixels.data());
    EXPECT_EQ(w.Pixel(10, 0), kRed);
    EXPECT_EQ(w.Pixel(11, 1), kGreen);
    Core().Window.PutDIB24TopDown(w.Handle(), 20, 0, 2, 2, pixels.data());
    EXPECT_EQ(w.Pixel(20, 0), kRed);
}

TEST(CorvaneSurface, SavedAreaComesBackOverLaterDrawing) {
    CBufferedWindow w;
    Core().Window.Rectangle(w.Handle(), 10, 10, 30, 30, kRed);
    const int saved = Core().Window.SaveArea(w.Handle(), 10, 10, 30, 30);
    ASSERT_NE(saved, 0);
    EXPECT_EQ(Core().Bitmap.GetWidth(saved), 30);
    Core().Window.Rectangle(w.Handle(), 0, 0, 100, 100, kBlue);
    EXPECT_EQ(Core().Window.RestoreArea(w.Handle(), saved), 1);
    EXPECT_EQ(w.Pixel(12, 12), kRed);
    EXPECT_EQ(w.Pixel(45, 45), kBlue);
    // The copy can be put anywhere, and scaled.
    Core().Window.PutBitmap(w.Handle(), saved, 100, 100);
    EXPECT_EQ(w.Pixel(110, 110), kRed);
    Core().Window.StretchPut(w.Handle(), saved, 140, 0, 60, 60);
    EXPECT_EQ(w.Pixel(195, 55), kRed);
    EXPECT_EQ(Core().Window.PutBitmap(w.Handle(), w.Handle(), 0, 0), 0) << "a window is no bitmap";
}

TEST(CorvaneSurface, MissingBitmapFileDrawsNothingAndLeavesNoLastImage) {
    CBufferedWindow w;
    EXPECT_EQ(Core().Window.PutBitmapf(w.Handle(), "C:\\no\\such\\file.bmp", 0, 0), 0);
    EXPECT_EQ(w.Surface().lastImage.width, 0);
    EXPECT_EQ(Core().Window.LoadBitmap("C:\\no\\such\\file.bmp"), 0);
}

COLORREF ScreenPixel(int w, int x, int y) {
    const HWND window = Core().Window.GetHwnd(w);
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

TEST(CorvaneSurface, WithoutAutoPresentNothingShowsUntilUpdate) {
    const int w = NewWindow("");
    Core().Window.AlwaysBuffer(w);
    RedrawWindow(Core().Window.GetHwnd(w), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Core().Window.DontUpdate(w);
    Core().Window.Rectangle(w, 0, 0, 50, 50, kRed);
    Core().Window.Present(w);
    EXPECT_NE(ScreenPixel(w, 5, 5), kRed);
    Core().Window.Update(w);
    EXPECT_EQ(ScreenPixel(w, 5, 5), kRed);
    Core().Window.Destroy(w);
}

TEST(CorvaneSurface, OffscreenSurfacesDrawAndCopyIntoWindows) {
    CBufferedWindow w;
    const int bitmap = Core().CreateBitmap(20, 20);
    ASSERT_NE(bitmap, 0);
    EXPECT_EQ(Core().Window.Cls(bitmap, kRed), 0) << "a bitmap is no window";
    EXPECT_EQ(Core().Bitmap.Cls(bitmap, kGreen), 1);
    EXPECT_EQ(Core().Window.PutBitmap(w.Handle(), bitmap, 5, 5), 1);
    EXPECT_EQ(w.Pixel(10, 10), kGreen);
}

TEST(CorvaneSurface, InnerAreaClipsAndMovesTheOrigin) {
    CBufferedWindow w;
    const RECT inner = {50, 40, 100, 80};
    Core().Window.SetInnerArea(w.Handle(), &inner);
    Core().Window.Rectangle(w.Handle(), 0, 0, 200, 200, kRed);
    EXPECT_EQ(w.Pixel(50, 40), kRed);
    EXPECT_EQ(w.Pixel(99, 79), kRed);
    EXPECT_EQ(w.Pixel(49, 40), kDarkBlue) << "outside the inner area";
    EXPECT_EQ(w.Pixel(100, 80), kDarkBlue);
    Core().Window.SetInnerArea(w.Handle(), nullptr);
    Core().Window.Rectangle(w.Handle(), 0, 0, 10, 10, kGreen);
    EXPECT_EQ(w.Pixel(0, 0), kGreen);
}

}  // namespace
