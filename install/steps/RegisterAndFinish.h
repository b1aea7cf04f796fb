// What follows a complete copy: the registry values, the uninstall entry,
// the shortcuts and the finish screen.
#pragma once

#include "install/steps/InstallState.h"

// Ends the installer.
[[noreturn]] void RegisterAndFinish(InstallState& state);
