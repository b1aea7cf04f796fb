// Reads an archive manifest (JSON) into a builder. Source files are named
// relative to the manifest's own folder. Names and values are stored in the
// code page the manifest names (its "codepage", 1252 when absent); the
// sources' contents are stored as they are.
#pragma once

#include <string>

#include "tools/pgrtool/PgrBuilder.h"

// Throws PgrBuildError with a message naming the manifest and the fault.
void LoadManifest(const std::string& manifestPath, PgrBuilder& builder);
