// ExtractEntry turns one directory entry into the bytes of the file it holds,
// as the installer does for every file it installs: read, descramble, and
// inflate when the entry is compressed.
#pragma once

#include <cstdint>
#include <memory>

#include "pgr/ReadPGR.h"

#define EXTRACT_STATUSES(X)                                                                  \
    X(Extracted, "extracted")                                                                \
    X(NotFound, "no entry of that name")                                                     \
    X(NotOpenable, "archive cannot be opened")                                               \
    X(Corrupt, "entry is corrupt: its data is short or does not inflate to its declared length") \
    X(NoMemory, "not enough memory to hold the entry")

enum class ExtractStatus {
#define EXTRACT_STATUS_ENUM(name, message) name,
    EXTRACT_STATUSES(EXTRACT_STATUS_ENUM)
#undef EXTRACT_STATUS_ENUM
};

const char* ExtractStatusMessage(ExtractStatus status);

struct ExtractedEntry {
    ExtractStatus status = ExtractStatus::NotFound;
    bool compressed = false;
    // Length of the file: the declared inflated length of a compressed entry
    // (also when it turned out corrupt), else the stored size.
    uint32_t length = 0;
    // The file's length bytes, only when status is Extracted.
    std::unique_ptr<uint8_t[]> data;
};

// Leaves the reader open and positioned after the entry.
ExtractedEntry ExtractEntry(CReadPGR& reader, const char* name);
