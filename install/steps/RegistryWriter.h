// The product's values under the current user's key and the machine-wide
// uninstall entry, written once the copy has succeeded.
#pragma once

#include "install/steps/InstallState.h"

// The archive's registry items and the two path values. A company or
// product key that can be neither opened nor created, or an item that
// cannot be written, ends the installer with the registry message.
void WriteProductRegistryValues(InstallState& state);

// "DisplayName", "UninstallString" and "DisplayIcon" of the uninstall
// entry; a machine the user may not change keeps the installation going
// without one.
void WriteUninstallEntry(InstallState& state);
