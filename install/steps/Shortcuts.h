// The shell link to the main program in the product's Start-menu folder,
// and its optional copies on the desktop and at the top of the Start menu.
#pragma once

#include "install/steps/InstallState.h"

// Failures are silent; each link made goes into the install record.
// Without a main program there is nothing to point at, so nothing is made.
void CreateShortcuts(InstallState& state, bool startMenuCopy, bool desktopCopy);
