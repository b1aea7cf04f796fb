#include "toolkit/portable/text/MarkupReader.h"

#include "toolkit/portable/options/ColourTable.h"

CMarkupReader::CMarkupReader(const char* bytes, size_t length)
    : m_pNext(bytes), m_pEnd(bytes ? bytes + length : bytes) {}

bool CMarkupReader::Next(MarkupItem& item) {
    if (m_pNext == m_pEnd)
        return false;
    item = MarkupItem{};
    item.bytes = m_pNext;
    if (*m_pNext == '\n') {
        item.kind = MarkupItemKind::LineFeed;
        item.length = 1;
        ++m_pNext;
        return true;
    }
    if (*m_pNext == kMarkupIntroducer) {
        switch (ReadCode(item)) {
            case CodeRead::Read:
                return true;
            case CodeRead::Truncated:
                m_pNext = m_pEnd;
                return false;
            case CodeRead::NotACode:
                break;
        }
    }
    ReadTextRun(item);
    return true;
}

CMarkupReader::CodeRead CMarkupReader::ReadCode(MarkupItem& item) {
    const size_t available = static_cast<size_t>(m_pEnd - m_pNext);
    if (available < 2)
        return CodeRead::Truncated;
    const uint8_t code = static_cast<uint8_t>(m_pNext[1]);
    size_t payload = 0;
    if (!MarkupPayloadLength(code, payload))
        return CodeRead::NotACode;
    if (available - 2 < payload)
        return CodeRead::Truncated;
    const auto* p = reinterpret_cast<const uint8_t*>(m_pNext + 2);
    item.kind = MarkupItemKind::Code;
    item.code = static_cast<MarkupCode>(code);
    item.length = 2 + payload;
    if (payload == kMarkupColourPayload)
        item.colour = RgbColour(p[0], p[1], p[2]);
    else if (payload == kMarkupFontPayload)
        item.font = (FontReference{p[0]} << 24) | (FontReference{p[1]} << 16) | (FontReference{p[2]} << 8) |
                    FontReference{p[3]};
    m_pNext += item.length;
    return CodeRead::Read;
}

// The first byte always belongs to the run, so an introducer that is no code
// starts a run instead of ending it.
void CMarkupReader::ReadTextRun(MarkupItem& item) {
    const char* end = m_pNext + 1;
    while (end != m_pEnd && *end != '\n' && *end != kMarkupIntroducer)
        ++end;
    item.kind = MarkupItemKind::Text;
    item.length = static_cast<size_t>(end - m_pNext);
    m_pNext = end;
}
