// The install record on disk, in the product folder beside the uninstaller.
#pragma once

#include "install/steps/InstallState.h"

// After a complete copy: every file written goes into the record, after what
// an earlier installation into the same folder recorded.
void RecordInstalledFiles(InstallState& state);

// Writes the record as it stands, replacing the earlier one whole. A record
// that cannot be written leaves the product installed, and the user is told
// that its uninstaller will not be able to remove it.
void WriteInstallRecord(InstallState& state);
