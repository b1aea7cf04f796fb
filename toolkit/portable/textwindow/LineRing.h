// The lines of a text window: a ring of fixed records holding compiled text
// (MarkupCodes.h), filled by appends and read back, oldest first, by the
// painter. The Windows side keeps one ring per text window and guards it
// with its append lock; the ring itself takes no lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Text bytes a record holds, its terminating zero apart.
constexpr size_t kLineTextLimit = 1199;
// Lines kept by a window made with "textonly".
constexpr int kTextOnlyLines = 500;
// The ring's capacity is kept in this range: every count stays an int for
// the scroll bar, and a wild request cannot take more memory than a 32-bit
// process can spare (10000 lines are 12 MB).
constexpr int kMinTextLines = 1;
constexpr int kMaxTextLines = 10000;

// One line, 1208 bytes as the painter and any dump of the ring expect.
struct LineRecord {
    char text[kLineTextLimit + 1];  // compiled text; always zero-terminated
    int32_t value;                  // the caller's value of the last append to the line
    int32_t length;                 // bytes in text; colour payloads hold zeros
};
static_assert(sizeof(LineRecord) == 1208, "a line record is 1208 bytes");

// Appending copies the compiled text into the current record: a code with
// its whole payload, a line feed closes the record and starts the next one
// of the ring, reusing the oldest once the ring has wrapped. A truncated code
// at the end of a text is dropped (CMarkupReader's rule); a 0x01 before a
// byte that is no code is copied as a character.
//
// A line that grows past kLineTextLimit through appends without a line feed
// is cut: it keeps the items that fitted and drops every later byte up to
// the next line feed, which still starts a new line. A text run is cut at
// the last byte that fits, a code is kept whole or dropped; nothing is
// squeezed in behind a dropped item, so a reset is never kept without the
// change it undoes, nor text without the colour before it.
//
// A ring of capacity c keeps the last c lines, the one being filled among
// them once it holds text. It has c + 1 records, so that c complete lines
// stay whole beside the record being filled: after 501 lines into a ring of
// 500, lines 2 to 501 are there whether or not the 501st has its line feed.
class CLineRing {
  public:
    // capacity is kept in kMinTextLines..kMaxTextLines.
    explicit CLineRing(int capacity = kTextOnlyLines);

    // Replaces the ring by an empty one of the new capacity (SetTextLines).
    void Reset(int capacity);

    // Appends compiled text; value is stored in the current record and in
    // every record the text starts (Write passes -1). A text of kLineTextLimit bytes or more is
    // refused whole and false returned, as the window has always done; a
    // null text reads as empty.
    bool Append(const char* text, size_t length, int32_t value);

    int Capacity() const { return static_cast<int>(m_stRecords.size()) - 1; }
    // Lines held, oldest to newest: complete lines and the current one when
    // it is not empty.
    int LineCount() const;
    // The n-th line held, 0 the oldest; null when n is out of range.
    const LineRecord* Line(int n) const;
    // The record being filled; the painter's cursor line.
    const LineRecord& Current() const { return m_stRecords[m_nWriteIndex]; }
    // The same for line input (CLineInput), which types into it.
    LineRecord& Current() { return m_stRecords[m_nWriteIndex]; }
    // Ring index of the current record.
    int WriteIndex() const { return static_cast<int>(m_nWriteIndex); }

  private:
    void AppendBytes(const char* bytes, size_t length, bool whole);
    void NewLine();
    void ClearCurrent();
    bool CurrentHoldsText() const;

    std::vector<LineRecord> m_stRecords;
    size_t m_nWriteIndex = 0;
    size_t m_nCompleteLines = 0;  // at most the capacity
    bool m_bCurrentCut = false;   // the current line dropped an item
};
