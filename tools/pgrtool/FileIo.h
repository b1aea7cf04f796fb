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

struct NamedFile {
    std::string name;  // a plain file name, no path
    const void* data;
    size_t size;
};

// Writes the files into directory under their names, all or nothing. They are
// written first into a staging directory made afresh inside directory for this
// run, and moved into place only once all are written; when a move fails,
// every file moved so far is taken out again and what it replaced put back.
// Only regular files are replaced: anything else in the way is refused before
// a byte is written, and nothing of directory's but the staging directory is
// ever removed. Throws PgrBuildError.
void WriteFilesAllOrNothing(const std::string& directory, const std::vector<NamedFile>& files);
