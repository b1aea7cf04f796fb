// Sizes the screens lay themselves out by.
#pragma once

#include "toolkit/core/Corvane.h"

// The window's client area; empty for a handle that names no window.
SIZE ClientSize(CCorvaneCore& core, int window);

// Width of text in the window's current font; 0 without a surface.
int TextWidth(CCorvaneCore& core, int window, const char* text);
