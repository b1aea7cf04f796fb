// The shell link to the main program in the product's Start-menu folder,
// and its optional copies on the desktop and at the top of the Start menu.
#pragma once

#include "install/steps/InstallState.h"

// Ends the installer, naming the path, when a shortcut path is too long to
// be saved; checked before anything is registered.
void CheckShortcutPaths(InstallState& state);

// Failures are silent; each link made goes into the install record.
// Without a main program there is nothing to point at, so nothing is made.
void CreateShortcuts(InstallState& state, bool startMenuCopy, bool desktopCopy);
