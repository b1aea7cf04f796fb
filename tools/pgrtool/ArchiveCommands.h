// The archive tool's read side: it reads archives with the installer's own
// file reader, so what it shows is what the installer would see.
#pragma once

#include <stdexcept>
#include <string>

class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Header counts, every entry (size, data offset, form) and every key in table
// order; scrambled strings are marked.
void ListArchive(const std::string& archive);

// Checksum, structure, every string and every entry. Returns the number of
// faults, each printed with its reason; 0 when the archive is sound.
int VerifyArchive(const std::string& archive);

// Writes every entry into directory as the installer would produce its bytes.
// All entries are extracted before anything is written, and the files are
// written all or nothing (WriteFilesAllOrNothing): a failure leaves the
// directory as it was. Throws ArchiveError.
void ExtractArchive(const std::string& archive, const std::string& directory);

// Prints every value of the key, in table order. Throws ArchiveError when
// there is none.
void PrintKey(const std::string& archive, const std::string& name, const char* qualifier);
