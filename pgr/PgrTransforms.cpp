#include "pgr/PgrTransforms.h"

#include <algorithm>
#include <cstring>

#include "install/portable/Bits16.h"

namespace {

uint8_t g_noise[Pgr::kNoiseTableSize];

// Extends the first `period` elements of run to `total` by copying ever
// larger stretches of what is already there.
template <typename T>
void RepeatToFill(T* run, int32_t period, int32_t total) {
    for (int32_t filled = period; filled < total;) {
        const int32_t chunk = std::min(filled, total - filled);
        memcpy(run + filled, run, static_cast<size_t>(chunk) * sizeof(T));
        filled += chunk;
    }
}

// The byte pass: b ^= A[i mod 11], then b -= noise[i mod 1024]. Runs of 1024
// bytes share one walk of the noise table, and a copy of A laid out end to end
// lets the inner loop index both tables linearly, which compilers vectorise.
void DescrambleBytes(uint8_t* buffer, int32_t length, const uint8_t* a) {
    constexpr int kA = PgrSecrets::kByteTableCount;
    uint8_t aRun[Pgr::kNoiseTableSize + kA];
    memcpy(aRun, a, kA);
    RepeatToFill(aRun, kA, std::min<int32_t>(length, Pgr::kNoiseTableSize) + kA);
    for (int32_t base = 0; base < length; base += Pgr::kNoiseTableSize) {
        const int32_t count = std::min<int32_t>(Pgr::kNoiseTableSize, length - base);
        const uint8_t* aFrom = aRun + base % kA;
        uint8_t* out = buffer + base;
        for (int32_t j = 0; j < count; j++)
            out[j] = static_cast<uint8_t>((out[j] ^ aFrom[j]) - g_noise[j]);
    }
}

// Word t's steps depend on t only through t mod 11 (B) and t mod 5 (W, R), so
// the keyed values repeat every 55 words; they are laid out once per call for
// a run of 440 words, a multiple of every vector width. A rotation becomes a
// multiplication: for a 16-bit w the 32-bit product w * 2^r holds rotl(w, r)
// split across its two halves, which compilers turn into vector multiplies.
constexpr int kWordCycle = PgrSecrets::kByteTableCount * PgrSecrets::kWordTableCount;
constexpr int kWordRun = 8 * kWordCycle;

struct WordRunPattern {
    uint16_t multiplyR[kWordRun];
    uint16_t xorW[kWordRun];
    uint16_t multiplyB[kWordRun];
};

void FillWordRunPattern(WordRunPattern& p, int32_t words, const KeyedPgrTables& t) {
    const int32_t period = std::min(words, kWordCycle);
    for (int32_t j = 0; j < period; j++) {
        const int iB = j % PgrSecrets::kByteTableCount;
        const int iWR = j % PgrSecrets::kWordTableCount;  // W and R share their length
        p.multiplyR[j] = static_cast<uint16_t>(1u << (t.r[iWR] & 15));
        p.xorW[j] = t.w[iWR];
        p.multiplyB[j] = static_cast<uint16_t>(1u << (t.b[iB] & 15));
    }
    RepeatToFill(p.multiplyR, period, words);
    RepeatToFill(p.xorW, period, words);
    RepeatToFill(p.multiplyB, period, words);
}

inline uint16_t RotateByMultiplier(uint16_t w, uint16_t multiplier) {
    const uint32_t product = static_cast<uint32_t>(w) * multiplier;
    return static_cast<uint16_t>(product | (product >> 16));
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the word pass loads words in host order");

void DescrambleWords(uint8_t* buffer, int32_t length, const KeyedPgrTables& t) {
    const int32_t n = length / 2;
    WordRunPattern pattern;
    FillWordRunPattern(pattern, std::min(n, kWordRun), t);
    for (int32_t base = 0; base < n; base += kWordRun) {
        const int32_t count = std::min(kWordRun, n - base);
        uint8_t* words = buffer + 2 * base;
        for (int32_t j = 0; j < count; j++) {
            uint16_t w;
            memcpy(&w, words + 2 * j, 2);  // little-endian host, checked above
            w ^= static_cast<uint16_t>(n - base - j);
            w = SwapBytes16(w);
            w = RotateByMultiplier(w, pattern.multiplyR[j]);
            w ^= pattern.xorW[j];
            w = SwapBytes16(w);
            w = RotateByMultiplier(w, pattern.multiplyB[j]);
            memcpy(words + 2 * j, &w, 2);
        }
    }
}

}  // namespace

uint32_t DeriveKey(uint32_t seed) {
    PgrRandom random(seed);
    const uint32_t r1 = random.Draw();
    const uint32_t r2 = random.Draw();
    const uint32_t r3 = random.Draw();
    return (r1 << 17) | (r2 << 2) | (r3 & 3);
}

void InitNoiseTable() {
    PgrRandom random(PgrSecrets::kNoiseSeed);
    for (uint8_t& b : g_noise)
        b = static_cast<uint8_t>(random.Draw() & 0xFF);
}

const uint8_t* NoiseTable() { return g_noise; }

KeyedPgrTables KeyPgrTables(uint32_t key) {
    const uint8_t k[4] = {static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8),
                          static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 24)};
    const uint16_t q[2] = {static_cast<uint16_t>(key), static_cast<uint16_t>(key >> 16)};
    KeyedPgrTables t;
    for (int i = 0; i < PgrSecrets::kByteTableCount; i++) {
        t.a[i] = PgrSecrets::kTableA[i] ^ k[i % 4];
        t.b[i] = PgrSecrets::kTableB[i] ^ k[i % 4];
    }
    for (int i = 0; i < PgrSecrets::kWordTableCount; i++) {
        t.r[i] = PgrSecrets::kTableR[i] ^ k[i % 4];
        t.w[i] = PgrSecrets::kTableW[i] ^ q[i % 2];
    }
    return t;
}

void DescrambleTable(uint8_t* buffer, int32_t length, uint32_t key) {
    if (length <= 0)
        return;
    const KeyedPgrTables tables = KeyPgrTables(key);
    if (length > 1)
        DescrambleWords(buffer, length, tables);
    DescrambleBytes(buffer, length, tables.a);
}

uint32_t HeaderKey() { return DeriveKey(PgrSecrets::kHeaderSeed); }

TableUnits TableUnitsOf(const PGRHeader& h) {
    // Each seed is the table's own count added to its constant, modulo 2^32.
    const int64_t directoryLength = int64_t{sizeof(PGRFileEntry)} * h.fileCount;
    const int64_t keyTableLength = int64_t{sizeof(PGRKeyEntry)} * h.keyCount;
    const TableUnit directory{Pgr::kHeaderSize, directoryLength,
                              DeriveKey(static_cast<uint32_t>(h.fileCount) + PgrSecrets::kDirectorySeed)};
    const TableUnit keyTable{directory.offset + directoryLength, keyTableLength,
                             DeriveKey(static_cast<uint32_t>(h.keyCount) + PgrSecrets::kKeyTableSeed)};
    const TableUnit stringTable{keyTable.offset + keyTableLength, h.stringTableSize,
                                DeriveKey(static_cast<uint32_t>(h.stringTableSize) + PgrSecrets::kStringTableSeed)};
    return {directory, keyTable, stringTable};
}

uint32_t DataBlockKey(uint32_t blockOffset) {
    return DeriveKey(blockOffset ^ PgrSecrets::kDataBlockMask);
}

void DescrambleData(uint8_t* buffer, int32_t length, int32_t dataOffset) {
    ForEachDataBlock(buffer, length, dataOffset, DescrambleTable);
}

// Sums eight bytes at a time in four 16-bit lanes (two bytes per lane per
// step); lanes are folded into the total before they can overflow.
uint32_t AddBytes(uint32_t sum, const uint8_t* data, size_t length) {
    constexpr uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
    constexpr size_t kStepsPerFold = 128;  // 128 * 2 * 255 < 65536
    size_t i = 0;
    while (length - i >= 8) {
        uint64_t lanes = 0;
        const size_t steps = std::min(kStepsPerFold, (length - i) / 8);
        for (size_t s = 0; s < steps; s++, i += 8) {
            uint64_t x;
            memcpy(&x, data + i, 8);
            lanes += (x & kLowBytes) + ((x >> 8) & kLowBytes);
        }
        const uint64_t pairs = (lanes & 0x0000FFFF0000FFFFull) + ((lanes >> 16) & 0x0000FFFF0000FFFFull);
        sum += static_cast<uint32_t>(pairs) + static_cast<uint32_t>(pairs >> 32);
    }
    for (; i < length; i++)
        sum += data[i];
    return sum;
}

uint32_t ArchiveChecksum(const uint8_t* archive, size_t length) {
    const uint32_t sum = length > Pgr::kUnsummedMaxLength ? AddBytes(0, archive + 4, length - 4) : 0;
    return sum ^ Pgr::kChecksumXor;
}
