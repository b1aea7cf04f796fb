#include "toolkit/portable/textwindow/LineInput.h"

#include <cstring>

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr char kCursor = '_';

}  // namespace

CLineInput::CLineInput(LineRecord& line) : m_stBefore(line) {
    Show(line);
}

bool CLineInput::Key(int key, LineRecord& line) {
    switch (key) {
    case kBackspace:
        EraseLast(line);
        return false;
    case kEnter:
        Finish(line);
        return true;
    case kEscape:
        Cancel(line);
        return true;
    default:
        // Movement keys and control characters are no text; a 0x01 would
        // even read as a markup code.
        if (key >= ' ' && key <= 0xFF)
            Type(static_cast<char>(key), line);
        else
            Show(line);
        return false;
    }
}

// The line shows what was there, the typed text and the cursor; a character
// that would push the cursor out of the record is not taken.
void CLineInput::Show(LineRecord& line) {
    const size_t before = static_cast<size_t>(m_stBefore.length);
    const size_t room = kLineTextLimit - before;
    if (m_stTyped.size() + 1 > room)
        m_stTyped.resize(room > 0 ? room - 1 : 0);
    std::memcpy(line.text, m_stBefore.text, before);
    size_t used = before;
    std::memcpy(line.text + used, m_stTyped.data(), m_stTyped.size());
    used += m_stTyped.size();
    if (used < kLineTextLimit)
        line.text[used++] = kCursor;
    line.text[used] = '\0';
    line.length = static_cast<int32_t>(used);
}

void CLineInput::Type(char character, LineRecord& line) {
    m_stTyped.push_back(character);
    Show(line);
}

void CLineInput::EraseLast(LineRecord& line) {
    if (!m_stTyped.empty())
        m_stTyped.pop_back();
    Show(line);
}

void CLineInput::Finish(LineRecord& line) {
    Show(line);
    if (line.length > m_stBefore.length && line.text[line.length - 1] == kCursor)
        line.text[--line.length] = '\0';
}

void CLineInput::Cancel(LineRecord& line) {
    line = m_stBefore;
    m_stTyped.clear();
}
