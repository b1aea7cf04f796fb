// Small archives for the reader tests, made by the builder, and an editor that
// damages a valid archive in a chosen place while keeping its checksum right,
// so that the reader's structural checks, not the checksum, meet the damage.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pgr/DisplayInfo.h"
#include "pgr/PgrFormat.h"

std::vector<uint8_t> Bytes(const std::string& s);

extern const DisplayInfo kTestDisplay;

// Entries: README_TXT (compressed, 3003 bytes inflated), #PLAIN (unscrambled
// data), BIG (9000 stored bytes), EIGHT (8 bytes that begin with "ZLIB").
// Keys, in table order: FILES first.dll, TARGET app, FILES second.dll,
// TARGET sys, MAINLINKNAME Orvalis, UNINSTALL:KEYNAME Orvalis 3, EMPTY "";
// stored plain and scrambled in a mix.
std::vector<uint8_t> SampleArchive();
std::vector<uint8_t> SampleReadme();

class ArchiveEditor {
  public:
    // archive must be one the reader loads.
    explicit ArchiveEditor(std::vector<uint8_t> archive);

    // Each edit works on the descrambled unit and scrambles it again; the
    // tables stay where the original header put them.
    ArchiveEditor& HeaderField(int32_t PGRHeader::*field, int32_t value);
    ArchiveEditor& FileField(int index, int32_t PGRFileEntry::*field, int32_t value);
    ArchiveEditor& KeyField(int index, int32_t PGRKeyEntry::*field, int32_t value);
    ArchiveEditor& StringByte(int32_t offset, uint8_t value);
    // Edits the descrambled bytes of the first data block of entry index.
    ArchiveEditor& FirstDataBlock(int index, const std::function<void(uint8_t*, int32_t)>& edit);
    // A plain change of raw bytes: no descrambling, no checksum fix.
    ArchiveEditor& Raw(const std::function<void(std::vector<uint8_t>&)>& edit);

    const PGRHeader& Header() const { return m_header; }
    const PGRFileEntry& File(int index) const { return m_files[index]; }
    const PGRKeyEntry& Key(int index) const { return m_keys[index]; }
    const std::vector<uint8_t>& Archive() const { return m_archive; }

  private:
    void EditUnit(size_t at, size_t length, uint32_t key, const std::function<void(uint8_t*)>& edit);

    std::vector<uint8_t> m_archive;
    PGRHeader m_header;
    std::vector<PGRFileEntry> m_files;
    std::vector<PGRKeyEntry> m_keys;
};
