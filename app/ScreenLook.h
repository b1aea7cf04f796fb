// The look the Orvalis programs' screens share: the system's dialog face and
// text colour, and one font for their text and controls.
#pragma once

#include <string>

#include "toolkit/core/Corvane.h"

// The screens' font by its toolkit name, once DefineMainFont has run.
constexpr const char* kMainFont = "MainFont";

void DefineMainFont(CCorvaneCore& core);

// Clears window to the dialog face; what is written on it from now on is in
// the dialog text colour.
void PaintDialogFace(CCorvaneCore& core, int window);

// Writes text with its top left at (x, y) in window's current font.
void WriteAt(CCorvaneCore& core, int window, int x, int y, const char* text);

// A screen window's options made to create it hidden: shown once built, it
// never meets a person, or a key, half-made.
std::string HiddenUntilBuilt(const char* options);
