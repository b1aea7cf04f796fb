// The install record on disk, in the product folder beside the uninstaller.
#pragma once

#include "install/steps/InstallState.h"

// After a complete copy: every file written goes into the record, after what
// an earlier installation into the same folder recorded.
void RecordInstalledFiles(InstallState& state);

// Writes the record as it stands, replacing the earlier one whole. A record
// that cannot be written leaves the product installed; its uninstaller then
// says that it has no record.
void WriteInstallRecord(const InstallState& state);
