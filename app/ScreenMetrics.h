// Sizes the screens lay themselves out by.
#pragma once

#include "toolkit/core/Corvane.h"

// The window's client area; empty for a handle that names no window.
SIZE ClientSize(CCorvaneCore& core, int window);

// Width of text in the window's current font; 0 without a surface.
int TextWidth(CCorvaneCore& core, int window, const char* text);

// Where a window of that size is centred on the current display mode;
// negative on a display smaller than the window, so that it overlaps both
// edges equally.
POINT CentredOrigin(int width, int height);
