// The version line the demo program shows, from the value the installer
// wrote into the registry.
#pragma once

#include <optional>
#include <string>

// "Version 1.0" for a value that holds a version, "Version unknown" for
// anything else. registryData is the value's data as read, a text value with
// or without its terminator; nothing when the value is missing or not text.
std::string VersionLine(const std::optional<std::string>& registryData);
