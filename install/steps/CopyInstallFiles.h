// Copies the data files beside the installer and every file of the archive
// to their destinations, with the progress window's bar and Cancel button.
#pragma once

#include "install/steps/InstallState.h"

// Returns when all is copied or the user has confirmed a cancel (aborted is
// then 1); ends the installer through ReportFatal on any error.
void CopyInstallFiles(InstallState& state);
