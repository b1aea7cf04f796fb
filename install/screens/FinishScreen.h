// The last screen of a successful installation: three check boxes choose
// the shortcuts and whether the program starts, one button ends it all.
#pragma once

#include "install/steps/InstallState.h"

// Creates the chosen shortcuts, starts the program when asked, and ends the
// installer.
[[noreturn]] void ShowFinishScreen(InstallState& state);
