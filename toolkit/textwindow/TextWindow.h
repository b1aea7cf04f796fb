// The text window: a scrolling log of marked-up lines drawn straight onto a
// window, with an optional see-through picture behind the text, an optional
// log file and a line-input mode. A toolkit window made with "textonly"
// hosts one, and Write on that window appends to it.
//
// Threads: Write appends and paints on the program's thread, the refresh
// timer and WM_PAINT paint on the window's. Three guards keep them apart:
//   - the append lock, tried once: a second append meanwhile is dropped, as
//     the toolkit has always done, rather than waiting in a worker;
//   - the ring mutex, held only while the ring changes or the painter copies
//     the lines it shows, never while a message is sent, so neither thread
//     can wait for the other through it;
//   - the paint mutex around all drawing on the window's context, which is
//     not thread-safe; the timer only tries it and leaves the window dirty
//     for its next round.
// The view's position is the text window's own; the scroll bar shows it.
// The bar is set on the window's thread only, at once there, and for
// appends from other threads by one request posted at a time: from another
// thread every change of a scroll bar is a round trip to the window's
// thread, which would cost each line written more than drawing it does.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "toolkit/core/Platform.h"
#include "toolkit/portable/events/WaitList.h"
#include "toolkit/portable/textwindow/LineRing.h"
#include "toolkit/portable/textwindow/TextLog.h"
#include "toolkit/portable/textwindow/WindowRequests.h"

class CCorvaneCore;
class CWindowSurface;
struct CorItem;
struct MarkupText;

// The toolkit-wide refresh timer of text windows, on the core's frame window.
constexpr UINT_PTR kTextRefreshTimer = 13363;
constexpr UINT kTextRefreshMs = 30;

// How a text window is made, from its host window's options.
struct TextWindowSetUp {
    int lines = kTextOnlyLines;
    bool defaultColours = false;  // "usedefaultcolors", "defaultColors"
    bool defaultFont = false;     // "usedefaultfont", "defaultfont"
    bool picture = false;         // "transparent": a see-through background
    int underAlpha = 0;           // "transparent=under/over"
    int overAlpha = 255;
};

class TextWindow {
  public:
    // host is the surface whose colours and font the text window starts from.
    TextWindow(CCorvaneCore& core, const TextWindowSetUp& setUp, CWindowSurface& host);
    ~TextWindow();
    TextWindow(const TextWindow&) = delete;
    TextWindow& operator=(const TextWindow&) = delete;

    // Binds the text window to its host window (during the host's WM_CREATE).
    void AttachTextWindow(CorItem& host, bool createdHidden);
    // A free-standing window of its own, made on the calling thread, which
    // must run a message loop; false when the window could not be made.
    bool CreateTextWindow(int x, int y, int width, int height, const char* title);

    // Appends a text; Write passes its compiled form and the value -1. False
    // when another append held the lock and the text was dropped, or when
    // the text was too long for a line and refused.
    bool AppendText(const MarkupText& text, int32_t value);
    void SetTextLines(int capacity);
    // Forgets every line, keeping the capacity.
    void ClearText();
    void SetTextWindowColor(COLORREF colour);
    // Remakes the four fonts from the host's current font and repaints.
    void RebuildFonts();

    bool StartLog(const char* path);
    void EndLog();
    // Reads a line typed into the window, Enter ending it and Escape
    // cancelling it (empty). Program's thread only; the text lives in one
    // buffer per window until the next ReadLine.
    const char* ReadLine();
    // Releases the drawing context and closes the window.
    void CloseTextWindow();
    void Show(int command);

    // The text window of a window made by CreateTextWindow; null for others.
    static TextWindow* OfFreeWindow(HWND window);

    // The window procedure's part: true with result for the messages the
    // text window handles itself.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The refresh timer: repaints when something changed since the last paint.
    void RefreshIfDirty();

    // The lines held, oldest first, each in its compiled form.
    int LineCount() const;
    std::string LineText(int n) const;

    HWND Window() const { return m_hWindow; }
    bool IsAlive() const { return m_bAlive.load(); }
    bool IsScrollBarShown() const { return m_bScrollBarShown.load(); }
    // True while a change waits for the refresh timer's paint.
    bool IsDirty() const { return m_stDirty.IsSet(); }
    // True once the scroll bar shows the lines held; appends of other
    // threads have it set a moment later.
    bool IsScrollBarCurrent() const { return m_nBarShownChanges.load() == m_nBarChanges.load(); }
    int LineHeight() const { return m_nLineHeight.load(); }
    int PageLines() const { return m_nPageLines.load(); }

  private:
    struct Fonts {
        HFONT plain = nullptr, italic = nullptr, bold = nullptr, boldItalic = nullptr;
    };
    struct PaintColours {
        COLORREF text;
        COLORREF background;
        HBRUSH brush;
    };
    class CLineRenderer;

    void MakeFonts();
    void DeleteFonts();
    void UseWindow(HWND window);
    void ComputeMetrics();
    void UpdateScrollBar();
    void ApplyScrollBar();
    bool OnWindowThread() const;
    void OnVScroll(WPARAM wParam);
    void Paint();
    bool TryPaint();
    void PaintLocked();
    void DrawView(HDC dc, const RECT& client, const PaintColours& colours, bool transparent);
    std::vector<LineRecord> CopyShownLines(int& top, int& lineHeight) const;
    void TakePicture();
    void ReleaseWindow();
    void ReleaseDrawing();
    bool HostDetached() const;

    CCorvaneCore& m_stCore;
    CWindowSurface& m_stHost;
    CorItem* m_pHostItem = nullptr;

    std::atomic<bool> m_bAlive{false};
    CDirtyMark m_stDirty;
    std::atomic<bool> m_bScrollBarShown{false};
    std::atomic<bool> m_bScrollingAllowed{false};
    bool m_bPictureMode = false;
    bool m_bOwnWindow = false;

    HWND m_hWindow = nullptr;
    HDC m_hDC = nullptr;

    mutable std::mutex m_stRingMutex;
    CLineRing m_stRing;
    std::atomic<int> m_nScrollMaximum{0};  // the last position a page can start at
    std::atomic<int> m_nPosition{0};       // the first line in view while the bar is needed
    std::atomic<int> m_nBarMaximum{0};
    std::atomic<bool> m_bBarNeeded{false};
    // Each change of the state above counts; the bar shows the state of the
    // count it was last set for.
    std::atomic<unsigned> m_nBarChanges{0};
    std::atomic<unsigned> m_nBarShownChanges{0};
    CPostedRequest m_stBarRequest;
    std::atomic<int> m_nLineHeight{0};
    std::atomic<int> m_nPageLines{0};
    std::atomic<int> m_nClientHeight{0};
    std::atomic<int> m_nClientWidth{0};

    COLORREF m_nBackground;
    COLORREF m_nText;
    HBRUSH m_hBackgroundBrush = nullptr;

    bool m_bDefaultFont;
    Fonts m_stFonts;

    HBITMAP m_hPicture = nullptr;
    int m_nUnderAlpha;
    int m_nOverAlpha;

    CTextLog m_stLog;
    std::string m_stReadLine;

    CToolkitLock m_stAppendLock;
    std::mutex m_stPaintMutex;
};

// Toolkit-wide: the refresh timer's round over every text window, one round
// at a time.
void RefreshTextWindows(CCorvaneCore& core);
