// The scroll arithmetic of a text window: what its vertical scroll bar holds
// for a number of lines and a page, which line the painter shows first, and
// where a scroll message moves the view. Line numbers count the lines held
// by the ring (CLineRing::Line), 0 the oldest.
#pragma once

// Whole lines in a client area; 0 when no line fits or the line height is
// not positive (a font that failed to load), never a division by zero.
int PageLines(int clientHeight, int lineHeight);

// The vertical scroll bar for lines lines and a page of pageLines. The bar
// is needed from exactly a page of lines on, so that a full window already
// shows where it stands; below a page everything is in view. When needed it
// spans 0..maximum with the page given, and position is the last position a
// page can start at: the view at the end. maximum is also the window's
// scroll maximum; with the bar not needed it is 0 (nothing to scroll).
// A page below one line counts as one, so a window too small for a line
// still scrolls a line at a time.
struct TextScrollBar {
    bool needed = false;
    int maximum = 0;   // range maximum as the bar takes it: lines - 1
    int page = 1;
    int position = 0;  // the last valid scroll position
};
TextScrollBar ScrollBarFor(int lines, int pageLines);

// The first line the painter shows. With the bar shown it is the bar's
// position (kept in range); without it the view follows the end, also after
// the ring has wrapped, where the write index no longer tells how many lines
// there are.
int FirstShownLine(int lines, int pageLines, bool barShown, int position);

// The lines one paint draws, from first (a line of the ring) down from y
// top: as many as the client shows, one more for a partial line at the
// bottom. When the view stands at the end and the client height is no
// multiple of the line height, the line above the view is drawn too, and
// everything is shifted up, so that the newest line sits flush with the
// bottom edge; a client too small for one line shows the top of the view's
// first line. A line height that is not positive draws nothing.
struct ShownLines {
    int first = 0;
    int count = 0;
    int top = 0;  // y of the first line drawn; 0 or negative
};
ShownLines ShownLinesFor(int lines, int firstShown, int clientHeight, int lineHeight);

// The scroll messages that move the view; the Windows side maps SB_LINEUP
// and the rest onto them and leaves every other one to the default window
// procedure.
// Top takes the view to the first line: SB_TOP, and the code 255 a program
// sends to open a document at its beginning; Bottom to the last page
// (SB_BOTTOM, the End key).
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// The new position for a request from position, clamped to
// 0..lastPosition (0 when that is negative). thumb is the thumb position,
// read only for ScrollRequest::Thumb.
int ScrollTo(ScrollRequest request, int position, int thumb, int pageLines, int lastPosition);
