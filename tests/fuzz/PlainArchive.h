// The plain form of an archive, the input of the plain fuzz target: laid out
// as the archive itself, but with its header and tables as the reader holds
// them after descrambling, and every entry's data as ExtractEntry sees it
// after descrambling. The checksum word is not part of it: it is always
// computed afresh.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The archive a plain form stands for, scrambled and checksummed with the
// builder's transforms. Any bytes make an archive: where the plain header's
// counts, offsets or names make no sense, the bytes concerned stay as they are
// and the reader meets the nonsense behind a correct checksum.
std::vector<uint8_t> ScrambledFromPlain(const uint8_t* plain, size_t length);

// The plain form of an archive the reader loads; empty if it does not.
// ScrambledFromPlain gives the archive back byte for byte unless two entries
// share data.
std::vector<uint8_t> PlainFromScrambled(const std::vector<uint8_t>& archive);
