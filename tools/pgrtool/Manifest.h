// Reads an archive manifest (JSON) into a builder. Source files are named
// relative to the manifest's own folder.
#pragma once

#include <string>

#include "tools/pgrtool/PgrBuilder.h"

// Throws PgrBuildError with a message naming the manifest and the fault.
void LoadManifest(const std::string& manifestPath, PgrBuilder& builder);
