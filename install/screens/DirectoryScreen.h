// The screen where the user confirms or changes where the product goes.
#pragma once

#include "install/steps/InstallState.h"

// 0: "Continue"; 1: "Cancel Installation". On return the chosen root is in
// folder slots 1 and 2 and targetText shows the full directory.
int ChooseInstallDirectory(InstallState& state);

// targetText from a root: {root}\{folder A}\{folder B}.
void SetTargetText(InstallState& state, const char* root);
