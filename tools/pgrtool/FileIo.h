// Whole-file reads and all-or-nothing writes for the host tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Throws PgrBuildError when the file cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// Writes to a temporary file beside path and renames it into place, so a
// failure never leaves a partial output. Throws PgrBuildError.
void WriteFileAtomically(const std::string& path, const void* data, size_t size);
