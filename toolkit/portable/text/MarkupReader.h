// Reads compiled text (Markup.h) item by item for the drawing loop and the
// text window: text runs, line feeds, and codes with their payload decoded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/portable/text/Markup.h"
#include "toolkit/portable/text/MarkupCodes.h"

enum class MarkupItemKind { Text, LineFeed, Code };

struct MarkupItem {
    MarkupItemKind kind = MarkupItemKind::Text;
    // The item as it stands in the text: the run, the line feed, or the
    // introducer, code byte and payload (so a code can be copied whole).
    const char* bytes = nullptr;
    size_t length = 0;
    MarkupCode code = MarkupCode::Reset;  // for MarkupItemKind::Code
    uint32_t colour = 0;                  // the colour codes: a Windows colour value
    FontReference font = 0;               // MarkupCode::Font; unchecked, see Markup.h
};

// A text run ends at a line feed, at an introducer or at the end; runs are
// never empty. The bytes are read only within the given length, and:
//   - an introducer whose code, or part of whose payload, lies beyond the end
//     is a truncated code: it and the bytes behind it are ignored;
//   - an introducer before a byte that is no code (a 0x01 copied from the
//     source) is drawn as a character, as the text window draws such codes.
class CMarkupReader {
  public:
    CMarkupReader(const char* bytes, size_t length);

    // The next item; false at the end.
    bool Next(MarkupItem& item);

  private:
    enum class CodeRead { Read, Truncated, NotACode };

    CodeRead ReadCode(MarkupItem& item);
    void ReadTextRun(MarkupItem& item);

    const char* m_pNext;
    const char* m_pEnd;
};
