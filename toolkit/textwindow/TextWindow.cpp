#include "toolkit/textwindow/TextWindow.h"

#include <algorithm>
#include <ctime>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/WindowClasses.h"
#include "toolkit/portable/textwindow/LineInput.h"
#include "toolkit/portable/textwindow/TextScroll.h"

namespace {

constexpr int kWeightHeavy = 900;
// The font of a window made with "usedefaultfont".
constexpr const char* kDefaultFontFace = "Courier New";
constexpr int kDefaultFontHeight = -14;
constexpr int kDefaultFontWidth = 8;
constexpr int kDefaultFontWeight = 700;
// How long ReadLine waits for a key before it looks whether the window is
// still there to type into.
constexpr unsigned kKeyWaitMs = 100;
constexpr DWORD kFreeWindowStyle = WS_POPUP | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW | WS_VSCROLL;
// Where a free-standing text window keeps its object.
constexpr const char* kTextWindowProperty = "CorvaneTextWindow";
// The scroll code a program sends to open a document at its first line.
constexpr WORD kScrollToTop = 255;

LOGFONTA FontDescription(HFONT font) {
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof(description), &description))
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
    return description;
}

HFONT Variant(LOGFONTA description, bool italic, bool heavy) {
    if (italic)
        description.lfItalic = TRUE;
    if (heavy)
        description.lfWeight = kWeightHeavy;
    return CreateFontIndirectA(&description);
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (const std::tm* converted = std::localtime(&now))
        local = *converted;
    return local;
}

}  // namespace

TextWindow::TextWindow(CCorvaneCore& core, const TextWindowSetUp& setUp, CWindowSurface& host)
    : m_stCore(core),
      m_stHost(host),
      m_stRing(setUp.lines),
      m_nBackground(setUp.defaultColours ? GetSysColor(COLOR_WINDOW) : host.BackgroundColour()),
      m_nText(setUp.defaultColours ? GetSysColor(COLOR_WINDOWTEXT) : host.TextColour()),
      m_bDefaultFont(setUp.defaultFont),
      m_nUnderAlpha(setUp.underAlpha),
      m_nOverAlpha(setUp.overAlpha) {
    m_bPictureMode = setUp.picture;
    m_hBackgroundBrush = CreateSolidBrush(m_nBackground);
    MakeFonts();
    core.StartTextRefresh();
}

// A free-standing window would otherwise outlive its object and hand the
// destroyed object its messages.
TextWindow::~TextWindow() {
    if (m_bOwnWindow && m_bAlive.load())
        CloseTextWindow();
    m_stLog.End();
    ReleaseDrawing();
    if (m_hBackgroundBrush)
        DeleteObject(m_hBackgroundBrush);
}

void TextWindow::MakeFonts() {
    if (m_bDefaultFont) {
        m_stFonts.plain = CreateFontA(kDefaultFontHeight, kDefaultFontWidth, 0, 0, kDefaultFontWeight, FALSE, FALSE,
                                      FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      FIXED_PITCH | FF_MODERN, kDefaultFontFace);
        return;
    }
    const LOGFONTA description = FontDescription(m_stHost.CurrentFont());
    m_stFonts.plain = Variant(description, false, false);
    m_stFonts.italic = Variant(description, true, false);
    m_stFonts.bold = Variant(description, false, true);
    m_stFonts.boldItalic = Variant(description, true, true);
}

void TextWindow::DeleteFonts() {
    for (HFONT font : {m_stFonts.plain, m_stFonts.italic, m_stFonts.bold, m_stFonts.boldItalic}) {
        if (font)
            DeleteObject(font);
    }
    m_stFonts = {};
}

void TextWindow::RebuildFonts() {
    if (!m_bAlive.load())
        return;
    {
        std::lock_guard<std::mutex> painting(m_stPaintMutex);
        if (m_hDC)
            SelectObject(m_hDC, GetStockObject(SYSTEM_FONT));
        DeleteFonts();
        MakeFonts();
    }
    ComputeMetrics();
    UpdateScrollBar();
    Paint();
}

void TextWindow::AttachTextWindow(CorItem& host, bool createdHidden) {
    m_pHostItem = &host;
    UseWindow(host.window);
    m_stHost.DrawStraightToWindow();
    if (m_bPictureMode)
        TakePicture();
    if (!createdHidden)
        ShowWindow(m_hWindow, SW_SHOW);
}

bool TextWindow::CreateTextWindow(int x, int y, int width, int height, const char* title) {
    const HWND window = CreateWindowExA(0, kTextWindowClass, title ? title : "", kFreeWindowStyle, x, y, width, height,
                                        nullptr, nullptr, m_stCore.Instance(), nullptr);
    if (!window)
        return false;
    m_bOwnWindow = true;
    SetPropA(window, kTextWindowProperty, this);
    UseWindow(window);
    return true;
}

TextWindow* TextWindow::OfFreeWindow(HWND window) {
    return static_cast<TextWindow*>(GetPropA(window, kTextWindowProperty));
}

void TextWindow::UseWindow(HWND window) {
    m_hWindow = window;
    m_hDC = GetDC(window);
    m_bAlive = true;
    m_bScrollingAllowed = true;
    ShowScrollBar(window, SB_VERT, FALSE);
    m_bScrollBarShown = false;
    ComputeMetrics();
}

void TextWindow::ComputeMetrics() {
    if (!m_hWindow)
        return;
    int lineHeight = 0;
    {
        std::lock_guard<std::mutex> painting(m_stPaintMutex);
        if (m_hDC) {
            SelectObject(m_hDC, m_stFonts.plain);
            TEXTMETRICA metrics = {};
            if (GetTextMetricsA(m_hDC, &metrics))
                lineHeight = metrics.tmHeight;
        }
    }
    RECT client = {};
    GetClientRect(m_hWindow, &client);
    m_nLineHeight = lineHeight;
    m_nClientWidth = client.right;
    m_nClientHeight = client.bottom;
    m_nPageLines = ::PageLines(client.bottom, lineHeight);
}

bool TextWindow::HostDetached() const {
    return m_pHostItem && m_pHostItem->attach.detached;
}

bool TextWindow::AppendText(const MarkupText& text, int32_t value) {
    if (!m_stAppendLock.TryAcquire())
        return false;
    m_stLog.Log(text.source, text.sourceLength);
    bool accepted = false;
    {
        std::lock_guard<std::mutex> ring(m_stRingMutex);
        accepted = m_stRing.Append(text.Text(), text.Length(), value);
    }
    UpdateScrollBar();
    m_stDirty.Set();
    Paint();
    m_stAppendLock.Release();
    return accepted;
}

int TextWindow::LineCount() const {
    std::lock_guard<std::mutex> ring(m_stRingMutex);
    return m_stRing.LineCount();
}

std::string TextWindow::LineText(int n) const {
    std::lock_guard<std::mutex> ring(m_stRingMutex);
    const LineRecord* line = m_stRing.Line(n);
    return line ? std::string(line->text, static_cast<size_t>(line->length)) : std::string();
}

void TextWindow::SetTextLines(int capacity) {
    {
        std::lock_guard<std::mutex> ring(m_stRingMutex);
        m_stRing.Reset(capacity);
    }
    UpdateScrollBar();
    m_stDirty.Set();
}

void TextWindow::ClearText() {
    int capacity = 0;
    {
        std::lock_guard<std::mutex> ring(m_stRingMutex);
        capacity = m_stRing.Capacity();
    }
    SetTextLines(capacity);
}

void TextWindow::SetTextWindowColor(COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    if (!brush)
        return;
    {
        std::lock_guard<std::mutex> painting(m_stPaintMutex);
        DeleteObject(m_hBackgroundBrush);
        m_hBackgroundBrush = brush;
        m_nBackground = colour;
    }
    m_stDirty.Set();
}

// The bar follows the lines held and the page; with it the view jumps to
// the end, so new text is always in sight.
void TextWindow::UpdateScrollBar() {
    if (!m_hWindow)
        return;
    int lines = 0;
    {
        std::lock_guard<std::mutex> ring(m_stRingMutex);
        lines = m_stRing.LineCount();
    }
    const TextScrollBar bar = ScrollBarFor(lines, m_nPageLines.load());
    m_nBarMaximum = bar.maximum;
    m_nScrollMaximum = bar.position;
    m_nPosition = bar.position;
    m_bBarNeeded = bar.needed;
    m_nBarChanges.fetch_add(1);
    if (OnWindowThread())
        ApplyScrollBar();
    else
        m_stBarRequest.Ask(
            [this] { return PostMessageA(m_hWindow, kRequestMessage, kRequestSetScrollBar, 0) != FALSE; });
}

bool TextWindow::OnWindowThread() const {
    return GetWindowThreadProcessId(m_hWindow, nullptr) == GetCurrentThreadId();
}

// Window's thread only.
void TextWindow::ApplyScrollBar() {
    const unsigned changes = m_nBarChanges.load();
    if (m_nBarShownChanges.load() == changes)
        return;
    const bool needed = m_bBarNeeded.load();
    const bool show = needed && m_bScrollingAllowed.load();
    if (needed) {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = m_nBarMaximum.load();
        info.nPage = static_cast<UINT>(std::max(m_nPageLines.load(), 1));
        info.nPos = m_nPosition.load();
        SetScrollInfo(m_hWindow, SB_VERT, &info, m_bScrollingAllowed.load());
    }
    // Showing or hiding the bar resizes the client area, and WM_SIZE comes
    // back here: the flag is set first, so that round changes nothing.
    if (m_bScrollBarShown.exchange(show) != show)
        ShowScrollBar(m_hWindow, SB_VERT, show);
    // The WM_SIZE of ShowScrollBar may have set a newer state meanwhile.
    unsigned shown = m_nBarShownChanges.load();
    while (shown < changes && !m_nBarShownChanges.compare_exchange_weak(shown, changes)) {
    }
}

void TextWindow::OnVScroll(WPARAM wParam) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(m_hWindow, SB_VERT, &info);
    ScrollRequest request;
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        request = ScrollRequest::LineUp;
        break;
    case SB_LINEDOWN:
        request = ScrollRequest::LineDown;
        break;
    case SB_PAGEUP:
        request = ScrollRequest::PageUp;
        break;
    case SB_PAGEDOWN:
        request = ScrollRequest::PageDown;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        request = ScrollRequest::Thumb;
        break;
    case SB_TOP:
    case kScrollToTop:
        request = ScrollRequest::Top;
        break;
    case SB_BOTTOM:
        request = ScrollRequest::Bottom;
        break;
    default:
        return;
    }
    ApplyScrollBar();
    const int position =
        ScrollTo(request, m_nPosition.load(), info.nTrackPos, m_nPageLines.load(), m_nScrollMaximum.load());
    m_nPosition = position;
    const bool repaint = m_bScrollingAllowed.load();
    SetScrollPos(m_hWindow, SB_VERT, position, repaint);
    if (repaint)
        InvalidateRect(m_hWindow, nullptr, FALSE);
}

bool TextWindow::StartLog(const char* path) {
    const char* title = m_pHostItem ? m_pHostItem->text.c_str() : nullptr;
    std::string ownTitle;
    if (m_bOwnWindow && m_hWindow) {
        char buffer[256] = {};
        GetWindowTextA(m_hWindow, buffer, sizeof(buffer));
        ownTitle = buffer;
        title = ownTitle.c_str();
    }
    // Appends log under the append lock; starting waits for a running one.
    while (!m_stAppendLock.TryAcquire())
        Sleep(0);
    const bool started = m_stLog.Start(path, LocalNow(), title);
    m_stAppendLock.Release();
    return started;
}

void TextWindow::EndLog() {
    while (!m_stAppendLock.TryAcquire())
        Sleep(0);
    m_stLog.End();
    m_stAppendLock.Release();
}

const char* TextWindow::ReadLine() {
    CKeyBuffer& keys = m_stHost.keys;
    std::unique_ptr<CLineInput> input;
    {
        std::lock_guard<std::mutex> ring(m_stRingMutex);
        input = std::make_unique<CLineInput>(m_stRing.Current());
    }
    m_stDirty.Set();
    if (m_pHostItem)
        SendMessageA(m_hWindow, kRequestMessage, kRequestActivate, 0);
    bool over = false;
    while (!over && m_bAlive.load()) {
        const int key = keys.PopWaiting(kKeyWaitMs);
        if (!key)
            continue;
        std::lock_guard<std::mutex> ring(m_stRingMutex);
        over = input->Key(key, m_stRing.Current());
        m_stDirty.Set();
    }
    m_stReadLine = over ? input->Result() : std::string();
    return m_stReadLine.c_str();
}

void TextWindow::CloseTextWindow() {
    if (!m_hWindow)
        return;
    ReleaseWindow();
    SendMessageA(m_hWindow, WM_CLOSE, 0, 0);
}

void TextWindow::ReleaseWindow() {
    std::lock_guard<std::mutex> painting(m_stPaintMutex);
    if (m_hDC)
        ReleaseDC(m_hWindow, m_hDC);
    m_hDC = nullptr;
}

// The window is gone: what only drawing needs goes with it. A paint of
// another thread holds the paint mutex and finds no context afterwards.
void TextWindow::ReleaseDrawing() {
    ReleaseWindow();
    std::lock_guard<std::mutex> painting(m_stPaintMutex);
    DeleteFonts();
    if (m_hPicture)
        DeleteObject(m_hPicture);
    m_hPicture = nullptr;
}

void TextWindow::Show(int command) {
    if (m_bAlive.load())
        ShowWindow(m_hWindow, command);
}

bool TextWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DESTROY:
        EndLog();
        m_bAlive = false;
        ReleaseDrawing();
        if (m_bOwnWindow)
            RemovePropA(m_hWindow, kTextWindowProperty);
        return false;
    case WM_SIZE:
        // Detaching and re-attaching the host set its style anew, the bar's included.
        m_bScrollBarShown = (GetWindowLongA(m_hWindow, GWL_STYLE) & WS_VSCROLL) != 0;
        ComputeMetrics();
        UpdateScrollBar();
        m_stDirty.Set();
        result = 0;
        return true;
    case WM_PAINT: {
        RECT update = {};
        const bool needed = GetUpdateRect(m_hWindow, &update, FALSE) && !IsRectEmpty(&update);
        PAINTSTRUCT paint;
        BeginPaint(m_hWindow, &paint);
        EndPaint(m_hWindow, &paint);
        if (needed)
            Paint();
        result = 0;
        return true;
    }
    case WM_CLOSE:
        result = 1;
        return HostDetached();
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case kRequestMessage:
        if (wParam != kRequestSetScrollBar)
            return false;
        m_stBarRequest.Taken();
        ApplyScrollBar();
        result = 1;
        return true;
    case WM_VSCROLL:
        if (lParam)
            return false;
        OnVScroll(wParam);
        result = 0;
        return LOWORD(wParam) != SB_ENDSCROLL;
    default:
        return false;
    }
}

void TextWindow::RefreshIfDirty() {
    if (m_bAlive.load())
        m_stDirty.PaintIfSet([this] { return TryPaint(); });
}
