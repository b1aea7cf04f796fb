// The first screen of the installer window: banner, heading, the welcome
// document to scroll through, and the buttons to go on or to leave.
#pragma once

#include "install/steps/InstallState.h"

// True to go on, false when the user pressed the second button. Closing the
// installer window ends the installer from here.
bool ShowWelcomeScreen(InstallState& state);
