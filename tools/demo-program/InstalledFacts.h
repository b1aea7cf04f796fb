// What the demo program reads of its installation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/demo-program/SampleList.h"

// The data of the version value the installer writes under the product's
// key; nothing when the key or the value is missing, or the value is no
// text or too long to be a version.
std::optional<std::string> ReadInstalledVersion();

// The listing of the Samples folder beside the running program; empty when
// there is no such folder.
std::vector<DirectoryEntry> ListSamplesFolder();
