// The two colour codes that markup pushes and resets, text colour and text
// background, as one pair of calls on a context, for every drawer of markup.
#pragma once

#include "toolkit/core/Platform.h"
#include "toolkit/portable/text/MarkupCodes.h"

// kind is MarkupCode::TextColour or MarkupCode::TextBackground.
inline COLORREF ContextColour(HDC dc, MarkupCode kind) {
    return kind == MarkupCode::TextColour ? GetTextColor(dc) : GetBkColor(dc);
}

inline void SetContextColour(HDC dc, MarkupCode kind, COLORREF colour) {
    if (kind == MarkupCode::TextColour)
        SetTextColor(dc, colour);
    else
        SetBkColor(dc, colour);
}
