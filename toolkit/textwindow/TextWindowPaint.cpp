// Painting a text window: the lines in view, each drawn by the line renderer
// with the window's own four fonts, straight onto the window, or composed
// over the see-through picture in picture mode.
#include <algorithm>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/text/MarkupReader.h"
#include "toolkit/portable/text/MarkupStack.h"
#include "toolkit/portable/textwindow/TextScroll.h"
#include "toolkit/surface/GdiScope.h"
#include "toolkit/text/MarkupColours.h"
#include "toolkit/textwindow/TextWindow.h"

namespace {

constexpr BYTE kOpaque = 255;

// What a change of one line replaced, for its reset.
struct LineChange {
    MarkupCode kind = MarkupCode::Reset;
    COLORREF colour = 0;
    bool italic = false, bold = false;
};

}  // namespace

// Draws one record on one line. A line background, given before any text,
// colours the whole line: the renderer makes its brush, which the painter
// uses for the rest of the line and deletes.
class TextWindow::CLineRenderer {
  public:
    CLineRenderer(HDC dc, const Fonts& fonts, const PaintColours& colours)
        : m_hDC(dc), m_stFonts(fonts), m_stColours(colours) {}

    // Returns the x behind the text.
    int Draw(const LineRecord& line, int x, int y) {
        m_nX = x;
        m_nY = y;
        CMarkupReader reader(line.text, static_cast<size_t>(line.length));
        MarkupItem item;
        while (reader.Next(item)) {
            if (item.kind == MarkupItemKind::Code)
                Apply(item);
            else if (item.kind == MarkupItemKind::Text)
                DrawRun(item.bytes, static_cast<int>(item.length));
        }
        Restore();
        return m_nX;
    }

    // The brush the line's background asked for, null when it asked for none;
    // the caller deletes it.
    HBRUSH TakeLineBrush() {
        const HBRUSH brush = m_hLineBrush;
        m_hLineBrush = nullptr;
        return brush;
    }

  private:
    void DrawRun(const char* text, int length) {
        SIZE size = {};
        GetTextExtentPoint32A(m_hDC, text, length, &size);
        TextOutA(m_hDC, m_nX, m_nY, text, length);
        m_nX += size.cx;
        m_bTextDrawn = true;
    }

    HFONT FontFor(bool italic, bool bold) const {
        HFONT font = m_stFonts.plain;
        if (italic && bold)
            font = m_stFonts.boldItalic;
        else if (italic)
            font = m_stFonts.italic;
        else if (bold)
            font = m_stFonts.bold;
        return font ? font : m_stFonts.plain;
    }

    void SelectStyle(bool italic, bool bold) {
        m_bItalic = italic;
        m_bBold = bold;
        SelectObject(m_hDC, FontFor(italic, bold));
    }

    void Apply(const MarkupItem& item) {
        switch (item.code) {
        case MarkupCode::TextColour:
        case MarkupCode::TextBackground:
            if (m_stStack.Push({item.code, ContextColour(m_hDC, item.code)}))
                SetContextColour(m_hDC, item.code, item.colour);
            break;
        case MarkupCode::LineBackground:
            if (!m_bTextDrawn && !m_hLineBrush) {
                m_hLineBrush = CreateSolidBrush(item.colour);
                SetBkColor(m_hDC, item.colour);
            }
            break;
        case MarkupCode::Italic:
        case MarkupCode::Bold:
            if (m_stStack.Push({item.code, 0, m_bItalic, m_bBold}))
                SelectStyle(m_bItalic || item.code == MarkupCode::Italic, m_bBold || item.code == MarkupCode::Bold);
            break;
        case MarkupCode::Font:
            // The window draws in its own fonts; the change is kept, so that
            // its reset undoes nothing else.
            m_stStack.Push({item.code});
            break;
        case MarkupCode::Reset:
            Undo();
            break;
        }
    }

    void Undo() {
        LineChange saved;
        if (!m_stStack.Pop(saved))
            return;
        switch (saved.kind) {
        case MarkupCode::TextColour:
        case MarkupCode::TextBackground:
            SetContextColour(m_hDC, saved.kind, saved.colour);
            break;
        case MarkupCode::Italic:
        case MarkupCode::Bold:
            SelectStyle(saved.italic, saved.bold);
            break;
        default:
            break;
        }
    }

    // Every line starts from the window's colours and plain font.
    void Restore() {
        SetTextColor(m_hDC, m_stColours.text);
        SetBkColor(m_hDC, m_stColours.background);
        SelectStyle(false, false);
        m_stStack = {};
        m_bTextDrawn = false;
    }

    HDC m_hDC;
    const Fonts& m_stFonts;
    const PaintColours& m_stColours;
    CMarkupStack<LineChange> m_stStack;
    HBRUSH m_hLineBrush = nullptr;
    int m_nX = 0, m_nY = 0;
    bool m_bTextDrawn = false;
    bool m_bItalic = false, m_bBold = false;
};

void TextWindow::Paint() {
    std::lock_guard<std::mutex> painting(m_stPaintMutex);
    PaintLocked();
}

bool TextWindow::TryPaint() {
    std::unique_lock<std::mutex> painting(m_stPaintMutex, std::try_to_lock);
    if (!painting.owns_lock())
        return false;
    PaintLocked();
    return true;
}

// Copies the records in view, so that appends go on while they are drawn.
std::vector<LineRecord> TextWindow::CopyShownLines(int& top, int& lineHeight) const {
    lineHeight = m_nLineHeight.load();
    const bool barShown = m_bBarNeeded.load() && m_bScrollingAllowed.load();
    const int position = m_nPosition.load();
    std::vector<LineRecord> lines;
    std::lock_guard<std::mutex> ring(m_stRingMutex);
    const int count = m_stRing.LineCount();
    const int first = FirstShownLine(count, m_nPageLines.load(), barShown, position);
    const ShownLines shown = ShownLinesFor(count, first, m_nClientHeight.load(), lineHeight);
    top = shown.top;
    lines.reserve(static_cast<size_t>(shown.count));
    for (int n = 0; n < shown.count; ++n) {
        if (const LineRecord* line = m_stRing.Line(shown.first + n))
            lines.push_back(*line);
    }
    return lines;
}

void TextWindow::PaintLocked() {
    if (!m_hDC || !m_bAlive.load())
        return;
    RECT client = {};
    GetClientRect(m_hWindow, &client);
    if (IsRectEmpty(&client))
        return;
    // A detached host floats on its own: the picture of what lay behind its
    // place in the parent no longer matches, but its colours are its own.
    const PaintColours colours{m_nText, m_nBackground, m_hBackgroundBrush};
    const auto alphaBlend = m_stCore.Apis().AlphaBlend;
    if (!m_bPictureMode || HostDetached() || !m_hPicture || !alphaBlend) {
        DrawView(m_hDC, client, colours, false);
        return;
    }
    CMemoryDC compose(m_hDC);
    CMemoryDC picture(m_hDC);
    CGdiObject<HBITMAP> composed(CreateCompatibleBitmap(m_hDC, client.right, client.bottom));
    if (!compose || !picture || !composed)
        return;
    CScopedSelect composeBitmap(compose.Get(), composed.Get());
    CScopedSelect pictureBitmap(picture.Get(), m_hPicture);
    const auto blendPicture = [&](int alpha) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(kOpaque - alpha), 0};
        alphaBlend(compose.Get(), 0, 0, client.right, client.bottom, picture.Get(), 0, 0, client.right, client.bottom,
                   blend);
    };
    FillRect(compose.Get(), &client, colours.brush);
    blendPicture(m_nUnderAlpha);
    DrawView(compose.Get(), client, colours, true);
    blendPicture(m_nOverAlpha);
    BitBlt(m_hDC, 0, 0, client.right, client.bottom, compose.Get(), 0, 0, SRCCOPY);
}

// transparent: the lines go over what dc holds (picture mode); otherwise
// every pixel of the client area is painted, lines and the space around them.
void TextWindow::DrawView(HDC dc, const RECT& client, const PaintColours& colours, bool transparent) {
    int top = 0, lineHeight = 0;
    const std::vector<LineRecord> lines = CopyShownLines(top, lineHeight);
    CScopedSelect font(dc, m_stFonts.plain);
    CScopedSelect brush(dc, colours.brush);
    SetBkMode(dc, transparent ? TRANSPARENT : OPAQUE);
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.background);
    CLineRenderer renderer(dc, m_stFonts, colours);
    int y = top;
    for (const LineRecord& line : lines) {
        const int end = renderer.Draw(line, 0, y);
        CGdiObject<HBRUSH> lineBrush(renderer.TakeLineBrush());
        if (!transparent) {
            const RECT rest = {end, y, client.right, y + lineHeight};
            FillRect(dc, &rest, lineBrush ? lineBrush.Get() : colours.brush);
        }
        y += lineHeight;
    }
    if (!transparent && y < client.bottom) {
        const RECT below = {0, std::max(y, 0), client.right, client.bottom};
        FillRect(dc, &below, colours.brush);
    }
}

// The picture a see-through window shows behind its text: what the screen
// held where the window's client area is, taken before the window shows.
void TextWindow::TakePicture() {
    RECT client = {};
    GetClientRect(m_hWindow, &client);
    POINT origin = {0, 0};
    ClientToScreen(m_hWindow, &origin);
    HDC screen = GetDC(nullptr);
    if (!screen)
        return;
    CMemoryDC copy(screen);
    CGdiObject<HBITMAP> picture(CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1),
                                                      std::max<LONG>(client.bottom, 1)));
    if (copy && picture) {
        CScopedSelect select(copy.Get(), picture.Get());
        BitBlt(copy.Get(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    m_hPicture = picture.Release();
}

void CCorvaneCore::StartTextRefresh() {
    if (m_bTextRefreshStarted.exchange(true))
        return;
    if (OnMainThread())
        SetTimer(m_hFrame, kTextRefreshTimer, kTextRefreshMs, nullptr);
    else
        SendMessageA(m_hFrame, kRequestMessage, kRequestStartTextRefresh, 0);
}

// One round at a time: a paint that lets messages through could start
// another from within.
void CCorvaneCore::RefreshTextWindows() {
    if (m_bRefreshing.exchange(true))
        return;
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->live.load() && item->textWindow)
            item->textWindow->RefreshIfDirty();
    }
    m_bRefreshing = false;
}
