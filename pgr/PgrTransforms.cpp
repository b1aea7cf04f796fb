#include "pgr/PgrTransforms.h"

#include <algorithm>
#include <cstring>

#include "install/Bits16.h"

namespace {

uint8_t g_noise[Pgr::kNoiseTableSize];

// The byte pass: b ^= A[i mod 11], then b -= noise[i mod 1024]. Runs of 1024
// bytes share one walk of the noise table, and a copy of A laid out end to end
// lets the inner loop index both tables linearly, which compilers vectorise.
void DescrambleBytes(uint8_t* buffer, int32_t length, const uint8_t* a) {
    constexpr int kA = PgrSecrets::kByteTableCount;
    uint8_t aRun[Pgr::kNoiseTableSize + kA];
    const int32_t runFill = std::min<int32_t>(length, Pgr::kNoiseTableSize) + kA;
    for (int32_t t = 0, i = 0; t < runFill; t++, i = (i + 1 == kA) ? 0 : i + 1)
        aRun[t] = a[i];
    for (int32_t base = 0; base < length; base += Pgr::kNoiseTableSize) {
        const int32_t count = std::min<int32_t>(Pgr::kNoiseTableSize, length - base);
        const uint8_t* aFrom = aRun + base % kA;
        uint8_t* out = buffer + base;
        for (int32_t j = 0; j < count; j++)
            out[j] = static_cast<uint8_t>((out[j] ^ aFrom[j]) - g_noise[j]);
    }
}

void DescrambleWords(uint8_t* buffer, int32_t length, const KeyedPgrTables& t) {
    const int32_t n = length / 2;
    // W and R have the same length, so one index serves both.
    int iB = 0, iWR = 0;
    for (int32_t word = 0; word < n; word++) {
        uint16_t w = LoadLe16(buffer + 2 * word);
        w ^= static_cast<uint16_t>(n - word);
        w = SwapBytes16(w);
        w = RotateLeft16(w, t.r[iWR]);
        w ^= t.w[iWR];
        w = SwapBytes16(w);
        w = RotateLeft16(w, t.b[iB]);
        StoreLe16(buffer + 2 * word, w);
        iB = (iB + 1 == PgrSecrets::kByteTableCount) ? 0 : iB + 1;
        iWR = (iWR + 1 == PgrSecrets::kWordTableCount) ? 0 : iWR + 1;
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
