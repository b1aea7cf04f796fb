// Pictures of the archive drawn on the installer's screens.
#pragma once

#include "install/steps/InstallState.h"

// Draws the image entry named entry with its top-left corner at (x, y) of
// the window's surface; a missing entry or window leaves the area as it was.
void DrawArchiveImage(InstallState& state, int window, int x, int y, const char* entry);
