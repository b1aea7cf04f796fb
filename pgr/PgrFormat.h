// Byte layout of a PGR archive. All integers are little-endian; offsets and
// sizes are signed 32-bit values that are never negative in a valid archive.
#pragma once

#include <cstdint>

#pragma pack(push, 1)
struct PGRHeader {
    uint32_t checksum;
    uint32_t magic;          // not interpreted by the reader
    uint32_t formatVersion;  // not interpreted by the reader
    uint32_t archiveLength;  // not interpreted by the reader
    int32_t dataBase;
    int32_t keyCount;
    int32_t fileCount;
    uint32_t dataLength;  // not interpreted by the reader
    int32_t stringTableSize;
    uint32_t reserved[3];
};

struct PGRFileEntry {
    int32_t nameOffset;
    int32_t size;
    int32_t dataOffset;
};

struct PGRKeyEntry {
    int32_t nameOffset;
    int32_t valueOffset;
};
#pragma pack(pop)

static_assert(sizeof(PGRHeader) == 48, "PGR header is 48 bytes");
static_assert(sizeof(PGRFileEntry) == 12, "PGR directory entry is 12 bytes");
static_assert(sizeof(PGRKeyEntry) == 8, "PGR key entry is 8 bytes");

namespace Pgr {

constexpr int kHeaderSize = 48;
constexpr int kScrambledHeaderOffset = 4;
constexpr int kScrambledHeaderSize = kHeaderSize - kScrambledHeaderOffset;

constexpr uint32_t kChecksumXor = 0x50475258;
// Archives this short are not summed: their checksum word is kChecksumXor.
constexpr uint32_t kUnsummedMaxLength = 200;

constexpr int kDataBlockSize = 4096;
constexpr int kNoiseTableSize = 1024;

constexpr uint8_t kScrambledStringMarker = 0x80;
constexpr char kUnscrambledDataPrefix = '#';

constexpr char kCompressedTag[4] = {'Z', 'L', 'I', 'B'};
constexpr int kCompressedHeaderSize = 8;

// What a builder writes into the fields the reader does not interpret.
constexpr uint32_t kMagic = 0x31524750;  // "PGR1"
constexpr uint32_t kFormatVersion = 1;

// Decoded names and values are bounded by the text transform's scratch buffer.
constexpr int kMaxDecodedString = 500;
constexpr int kMaxKeyNameLength = 499;
constexpr int kMaxDirectoryNameLength = 399;

}  // namespace Pgr
