// Console-style text in a surface: Write draws marked-up text at the text
// cursor, with line feeds and scrolling; WriteShadow draws one line with a
// soft drop shadow. Both draw into the current context and leave presenting
// to the caller (Update), but WriteShadow presents what it drew.
#pragma once

#include "toolkit/portable/text/Markup.h"
#include "toolkit/surface/WindowSurface.h"

// The toolkit-wide shadow style.
struct ShadowStyle {
    int blurPasses = 7;
    int strength = 256;  // per cent times 256 / 100
    int offsetX = 3, offsetY = 3;
};

namespace TextOutput {

// Draws a compiled text at the cursor of a surface the caller holds. Colours,
// fonts and the font record are the same afterwards, whatever tags were left
// open.
void DrawText(CWindowSurface& s, const MarkupText& text);

// A line of at most 299 characters at (x, y), its shadow there and the text
// itself offset to the upper left, in the surface's text colour.
void DrawShadowed(CWindowSurface& s, int x, int y, const char* text, const ShadowStyle& style);

}  // namespace TextOutput
