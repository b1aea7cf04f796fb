// The scrambling transforms and the checksum of the PGR format, reader side.
// The builder's inverses use the same keyed tables (KeyPgrTables) and noise.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "pgr/PgrFormat.h"
#include "pgr/PgrSecrets.h"

// The format's own generator, so archives never depend on a runtime library's rand().
class PgrRandom {
  public:
    explicit PgrRandom(uint32_t seed) : m_nState(seed) {}
    uint32_t Draw() {
        m_nState = m_nState * 214013u + 2531011u;
        return (m_nState >> 16) & 0x7FFF;
    }

  private:
    uint32_t m_nState;
};

uint32_t DeriveKey(uint32_t seed);

// Fills the process-wide noise table. Must run once before any archive is read
// or written; calling it again refills the same values.
void InitNoiseTable();
const uint8_t* NoiseTable();

struct KeyedPgrTables {
    uint8_t a[PgrSecrets::kByteTableCount];
    uint8_t b[PgrSecrets::kByteTableCount];
    uint16_t w[PgrSecrets::kWordTableCount];
    uint8_t r[PgrSecrets::kWordTableCount];
};

// The constant tables with the key's bytes and halves mixed in, fresh per call.
KeyedPgrTables KeyPgrTables(uint32_t key);

// Descrambles one unit (header remainder, a table or one data block) in place.
void DescrambleTable(uint8_t* buffer, int32_t length, uint32_t key);

uint32_t HeaderKey();

// The directory, the key table and the string table, in archive order: each
// one scrambled unit, placed and keyed by the counts of the plain header.
// Counts are not checked here: a negative count gives a negative length, and
// a length may exceed what a unit can be (a signed 32-bit count of bytes).
struct TableUnit {
    int64_t offset;
    int64_t length;
    uint32_t key;
};
using TableUnits = std::array<TableUnit, 3>;
TableUnits TableUnitsOf(const PGRHeader& plainHeader);

// Key of the data block that starts at the given data offset.
uint32_t DataBlockKey(uint32_t blockOffset);

// Calls unitFn(block, blockLength, key) for each 4096-byte block of an entry's
// stored bytes, keyed by the block's own data offset, so any block can be
// handled alone.
template <typename UnitFn>
void ForEachDataBlock(uint8_t* buffer, int32_t length, int32_t dataOffset, UnitFn unitFn) {
    for (int32_t done = 0; done < length; done += Pgr::kDataBlockSize) {
        const int32_t block = length - done < Pgr::kDataBlockSize ? length - done : Pgr::kDataBlockSize;
        // Unsigned: a hostile offset near 2^31 must wrap, not overflow.
        const uint32_t blockOffset = static_cast<uint32_t>(dataOffset) + static_cast<uint32_t>(done);
        unitFn(buffer + done, block, DataBlockKey(blockOffset));
    }
}

// Descrambles the stored bytes of one entry at its data offset, block by block.
void DescrambleData(uint8_t* buffer, int32_t length, int32_t dataOffset);

// Adds every byte, as an unsigned value, to sum modulo 2^32.
uint32_t AddBytes(uint32_t sum, const uint8_t* data, size_t length);

// The checksum word a whole archive in memory must carry at offset 0.
uint32_t ArchiveChecksum(const uint8_t* archive, size_t length);
