#include "toolkit/portable/textwindow/LineRing.h"

#include <algorithm>
#include <cstring>

#include "toolkit/portable/text/MarkupReader.h"

CLineRing::CLineRing(int capacity) {
    Reset(capacity);
}

void CLineRing::Reset(int capacity) {
    const int kept = std::clamp(capacity, kMinTextLines, kMaxTextLines);
    m_stRecords.assign(static_cast<size_t>(kept) + 1, LineRecord{});
    m_nWriteIndex = 0;
    m_nCompleteLines = 0;
    m_bCurrentCut = false;
}

bool CLineRing::Append(const char* text, size_t length, int32_t value) {
    if (length >= kLineTextLimit)
        return false;
    m_stRecords[m_nWriteIndex].value = value;
    CMarkupReader reader(text, text ? length : 0);
    MarkupItem item;
    while (reader.Next(item)) {
        if (item.kind == MarkupItemKind::LineFeed) {
            NewLine();
            m_stRecords[m_nWriteIndex].value = value;
        } else {
            AppendBytes(item.bytes, item.length, item.kind == MarkupItemKind::Code);
        }
    }
    return true;
}

// whole: the bytes are one code, kept entire or not at all.
void CLineRing::AppendBytes(const char* bytes, size_t length, bool whole) {
    if (m_bCurrentCut)
        return;
    LineRecord& line = m_stRecords[m_nWriteIndex];
    const size_t used = static_cast<size_t>(line.length);
    const size_t room = kLineTextLimit - used;
    size_t copied = std::min(length, room);
    if (whole && copied < length)
        copied = 0;
    std::memcpy(line.text + used, bytes, copied);
    line.length = static_cast<int32_t>(used + copied);
    line.text[line.length] = '\0';
    m_bCurrentCut = copied < length;
}

void CLineRing::NewLine() {
    m_nCompleteLines = std::min(m_nCompleteLines + 1, static_cast<size_t>(Capacity()));
    if (++m_nWriteIndex == m_stRecords.size())
        m_nWriteIndex = 0;
    ClearCurrent();
}

void CLineRing::ClearCurrent() {
    m_stRecords[m_nWriteIndex] = LineRecord{};
    m_bCurrentCut = false;
}

bool CLineRing::CurrentHoldsText() const {
    return Current().length > 0;
}

int CLineRing::LineCount() const {
    return std::min(static_cast<int>(m_nCompleteLines) + (CurrentHoldsText() ? 1 : 0), Capacity());
}

const LineRecord* CLineRing::Line(int n) const {
    const int count = LineCount();
    if (n < 0 || n >= count)
        return nullptr;
    // The lines held end with the current record when it holds text, else
    // just before it; a full ring leaves its oldest complete line out.
    const size_t records = m_stRecords.size();
    const size_t end = m_nWriteIndex + (CurrentHoldsText() ? 1 : 0);
    const size_t oldest = (end + records - static_cast<size_t>(count)) % records;
    return &m_stRecords[(oldest + static_cast<size_t>(n)) % records];
}
