#include "toolkit/portable/textwindow/LineInput.h"

#include <cstring>

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr char kCursor = '_';

}  // namespace

CLineInput::CLineInput(LineRecord& line) : m_stLine(line), m_stBefore(line) {
    ShowCursor();
}

bool CLineInput::Key(int key) {
    switch (key) {
    case kBackspace:
        EraseLast();
        return false;
    case kEnter:
        Finish();
        return true;
    case kEscape:
        Cancel();
        return true;
    default:
        // Movement keys and control characters are no text; a 0x01 would
        // even read as a markup code.
        if (key >= ' ' && key <= 0xFF)
            Type(static_cast<char>(key));
        return false;
    }
}

// The line shows what was there, the typed text and the cursor; a character
// that would push the cursor out of the record is not taken.
void CLineInput::ShowCursor() {
    const size_t before = static_cast<size_t>(m_stBefore.length);
    const size_t room = kLineTextLimit - before;
    if (m_stTyped.size() + 1 > room)
        m_stTyped.resize(room > 0 ? room - 1 : 0);
    std::memcpy(m_stLine.text, m_stBefore.text, before);
    size_t used = before;
    std::memcpy(m_stLine.text + used, m_stTyped.data(), m_stTyped.size());
    used += m_stTyped.size();
    if (used < kLineTextLimit)
        m_stLine.text[used++] = kCursor;
    m_stLine.text[used] = '\0';
    m_stLine.length = static_cast<int32_t>(used);
}

void CLineInput::Type(char character) {
    m_stTyped.push_back(character);
    ShowCursor();
}

void CLineInput::EraseLast() {
    if (!m_stTyped.empty())
        m_stTyped.pop_back();
    ShowCursor();
}

void CLineInput::Finish() {
    ShowCursor();
    if (m_stLine.length > m_stBefore.length && m_stLine.text[m_stLine.length - 1] == kCursor)
        m_stLine.text[--m_stLine.length] = '\0';
}

void CLineInput::Cancel() {
    m_stLine = m_stBefore;
    m_stTyped.clear();
}
