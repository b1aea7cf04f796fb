#include "toolkit/portable/textwindow/TextScroll.h"

#include <algorithm>

int PageLines(int clientHeight, int lineHeight) {
    if (lineHeight <= 0 || clientHeight <= 0)
        return 0;
    return clientHeight / lineHeight;
}

TextScrollBar ScrollBarFor(int lines, int pageLines) {
    TextScrollBar bar;
    bar.page = std::max(pageLines, 1);
    if (lines < bar.page)
        return bar;
    bar.needed = true;
    bar.maximum = lines - 1;
    bar.position = lines - bar.page;
    return bar;
}

int FirstShownLine(int lines, int pageLines, bool barShown, int position) {
    const int last = std::max(lines - std::max(pageLines, 1), 0);
    return barShown ? std::clamp(position, 0, last) : last;
}

ShownLines ShownLinesFor(int lines, int firstShown, int clientHeight, int lineHeight) {
    ShownLines shown;
    if (lineHeight <= 0 || lines <= 0)
        return shown;
    const int perScreen = PageLines(clientHeight, lineHeight);
    const int spare = std::max(clientHeight, 0) % lineHeight;
    shown.first = std::clamp(firstShown, 0, lines);
    if (spare > 0 && shown.first > 0 && shown.first == lines - perScreen) {
        --shown.first;
        shown.top = spare - lineHeight;
    }
    shown.count = std::min(lines - shown.first, perScreen + 1);
    return shown;
}

int ScrollTo(ScrollRequest request, int position, int thumb, int pageLines, int lastPosition) {
    // Widened so that a page added to a position near INT_MAX cannot wrap.
    long long next = position;
    switch (request) {
        case ScrollRequest::LineUp:
            next -= 1;
            break;
        case ScrollRequest::LineDown:
            next += 1;
            break;
        case ScrollRequest::PageUp:
            next -= pageLines;
            break;
        case ScrollRequest::PageDown:
            next += pageLines;
            break;
        case ScrollRequest::Thumb:
            next = thumb;
            break;
        case ScrollRequest::Top:
            next = 0;
            break;
        case ScrollRequest::Bottom:
            next = lastPosition;
            break;
    }
    return static_cast<int>(std::clamp<long long>(next, 0, std::max(lastPosition, 0)));
}
