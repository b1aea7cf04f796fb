// The small window with a progress bar and a Cancel button shown while the
// files are copied.
#pragma once

#include <cstdint>

#include "install/steps/InstallState.h"

// Hides the installer window and shows the progress window in its middle.
void ShowCopyProgress(InstallState& state);

// Redraws the bar for done of total bytes and looks at the Cancel button;
// true when the user has just confirmed a cancel, which also sets aborted.
bool UpdateCopyProgress(InstallState& state, int64_t done, int64_t total);
