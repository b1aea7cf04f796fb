// Builds PGR archives: the inverse of the reader, used by the archive tool and
// by tests to make fixtures.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class PgrBuildError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct PgrEntrySpec {
    std::string name;
    std::vector<uint8_t> content;
    bool compress = false;
    bool scrambleName = true;
};

struct PgrKeySpec {
    std::string name;
    std::string value;
    bool scrambleName = true;
    bool scrambleValue = true;
};

class PgrBuilder {
  public:
    PgrBuilder();

    // Entries are stored in the order added; a name may be used once.
    void AddEntry(PgrEntrySpec entry);
    // Keys keep the order added: several keys may share a name and are read in
    // that order.
    void AddKey(PgrKeySpec key);

    // The whole archive, checksum included. The same entries and keys always
    // give the same bytes.
    std::vector<uint8_t> Build() const;

  private:
    std::vector<PgrEntrySpec> m_stEntries;
    std::vector<PgrKeySpec> m_stKeys;
};

// The stored form of an entry's content: as it is, or "ZLIB", the length and a
// zlib stream.
std::vector<uint8_t> EncodeEntryContent(const std::vector<uint8_t>& content, bool compress,
                                        const std::string& name);
