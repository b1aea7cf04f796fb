#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "toolkit/portable/textwindow/LineRing.h"
#include "toolkit/portable/textwindow/TextScroll.h"

namespace {

TEST(TextScroll, PageLinesNeverDividesByZero) {
    const struct {
        int clientHeight;
        int lineHeight;
        int pageLines;
    } cases[] = {
        {300, 15, 20}, {310, 15, 20}, {14, 15, 0}, {300, 0, 0}, {300, -15, 0}, {-30, 15, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageLines(c.clientHeight, c.lineHeight), c.pageLines) << c.clientHeight << " / " << c.lineHeight;
}

TEST(TextScroll, TheBarAppearsAtExactlyAPageAndStandsAtTheEnd) {
    const struct {
        int lines;
        int pageLines;
        bool needed;
        int maximum;
        int page;
        int position;
    } cases[] = {
        {0, 3, false, 0, 3, 0},
        {2, 3, false, 0, 3, 0},
        {3, 3, true, 2, 3, 0},  // a full window
        {4, 3, true, 3, 3, 1},
        {500, 20, true, 499, 20, 480},
        {0, 0, false, 0, 1, 0},  // no room for a line: scrolls by one
        {2, 0, true, 1, 1, 1},
    };
    for (const auto& c : cases) {
        const TextScrollBar bar = ScrollBarFor(c.lines, c.pageLines);
        SCOPED_TRACE(std::to_string(c.lines) + " lines, page " + std::to_string(c.pageLines));
        EXPECT_EQ(bar.needed, c.needed);
        EXPECT_EQ(bar.maximum, c.maximum);
        EXPECT_EQ(bar.page, c.page);
        EXPECT_EQ(bar.position, c.position);
    }
}

TEST(TextScroll, TheViewFollowsTheEndAfterTheRingHasWrapped) {
    CLineRing ring(kTextOnlyLines);
    for (int n = 1; n <= 501; ++n) {
        const std::string line = "line " + std::to_string(n) + (n < 501 ? "\n" : "");
        ring.Append(line.data(), line.size(), -1);
    }
    const int pageLines = 20;
    const TextScrollBar bar = ScrollBarFor(ring.LineCount(), pageLines);
    ASSERT_TRUE(bar.needed);
    const struct {
        bool barShown;
        int position;
        const char* first;
    } cases[] = {
        {true, bar.position, "line 482"},  // the last page: lines 482 to 501
        {false, 0, "line 482"},            // bar hidden: still the end
        {true, 0, "line 2"},               // scrolled to the oldest line kept
        {true, 9999, "line 482"},          // a position out of range is kept in it
        {true, -4, "line 2"},
    };
    for (const auto& c : cases) {
        const int first = FirstShownLine(ring.LineCount(), pageLines, c.barShown, c.position);
        ASSERT_NE(ring.Line(first), nullptr);
        EXPECT_STREQ(ring.Line(first)->text, c.first) << c.barShown << " " << c.position;
    }
    EXPECT_STREQ(ring.Line(FirstShownLine(ring.LineCount(), pageLines, true, bar.position) + pageLines - 1)->text,
                 "line 501");
}

TEST(TextScroll, FewerLinesThanAPageStartAtTheTop) {
    EXPECT_EQ(FirstShownLine(5, 20, false, 0), 0);
    EXPECT_EQ(FirstShownLine(0, 0, false, 0), 0);
}

TEST(TextScroll, APaintDrawsTheLinesInViewWithTheNewestFlushAtTheBottom) {
    const struct {
        const char* why;
        int lines;
        int firstShown;
        int clientHeight;
        int first;
        int count;
        int top;
    } cases[] = {
        // Lines are 10 pixels high throughout.
        {"fewer lines than fit start at the top", 3, 0, 105, 0, 3, 0},
        {"at the end of whole lines", 30, 20, 100, 20, 10, 0},
        {"at the end with 5 pixels spare", 30, 20, 105, 19, 11, -5},
        {"scrolled up: a partial line below", 30, 5, 105, 5, 11, 0},
        {"a page of lines exactly", 10, 0, 105, 0, 10, 0},
        {"a first line past the end", 30, 40, 105, 30, 0, 0},
        {"a negative first line", 30, -3, 105, 0, 11, 0},
        {"no lines", 0, 0, 105, 0, 0, 0},
        {"a client too small for a line shows the top of one", 4, 3, 5, 3, 1, 0},
    };
    for (const auto& c : cases) {
        const ShownLines shown = ShownLinesFor(c.lines, c.firstShown, c.clientHeight, 10);
        EXPECT_EQ(shown.first, c.first) << c.why;
        EXPECT_EQ(shown.count, c.count) << c.why;
        EXPECT_EQ(shown.top, c.top) << c.why;
    }
    EXPECT_EQ(ShownLinesFor(30, 20, 105, 0).count, 0);
}

TEST(TextScroll, MessagesMoveThePositionWithinRange) {
    const struct {
        ScrollRequest request;
        int position;
        int thumb;
        int last;
        int next;
    } cases[] = {
        // A page is 4 lines throughout.
        {ScrollRequest::LineDown, 5, 0, 10, 6},
        {ScrollRequest::LineDown, 10, 0, 10, 10},
        {ScrollRequest::LineUp, 5, 0, 10, 4},
        {ScrollRequest::LineUp, 0, 0, 10, 0},
        {ScrollRequest::PageDown, 1, 0, 10, 5},
        {ScrollRequest::PageDown, 8, 0, 10, 10},
        {ScrollRequest::PageUp, 5, 0, 10, 1},
        {ScrollRequest::PageUp, 3, 0, 10, 0},
        {ScrollRequest::Thumb, 5, 7, 10, 7},
        {ScrollRequest::Thumb, 5, 70, 10, 10},
        {ScrollRequest::Thumb, 5, -7, 10, 0},
        {ScrollRequest::Top, 9, 0, 10, 0},
        {ScrollRequest::Bottom, 2, 0, 10, 10},
        {ScrollRequest::Bottom, 2, 0, -3, 0},  // fewer lines than a page
        {ScrollRequest::LineDown, 0, 0, -3, 0},  // nothing to scroll
        {ScrollRequest::PageDown, INT_MAX, 0, INT_MAX, INT_MAX},
        {ScrollRequest::PageUp, INT_MIN, 0, 10, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScrollTo(c.request, c.position, c.thumb, 4, c.last), c.next)
            << static_cast<int>(c.request) << " from " << c.position;
}

}  // namespace
