#include "tools/pgrtool/Scramble.h"

#include <cstring>

#include "install/portable/Bits16.h"
#include "install/portable/TextTransform.h"
#include "pgr/PgrFormat.h"
#include "pgr/PgrTransforms.h"

namespace {

void ScrambleTextWords(std::vector<uint8_t>& bytes, const KeyedTextTables& t) {
    int o = 0, i = 0, k = 0;
    for (size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        uint16_t w = LoadLe16(&bytes[pos]);
        w = RotateRight16(w, t.outerRotation[o]);
        w = SwapBytes16(w);
        w ^= t.words[k];
        w = RotateRight16(w, t.innerRotation[i]);
        w = SwapBytes16(w);
        StoreLe16(&bytes[pos], w);
        o = (o + 1) % TextKeys::kOuterRotationCount;
        k = (k + 1) % TextKeys::kWordStageCycle;
        i = (i + 1) % TextKeys::kWordStageCycle;
    }
}

// Three bytes become four characters, high bits first; a last partial group
// gives as many characters as its bits need.
std::string PackCharacters(const std::vector<uint8_t>& bytes) {
    std::string out;
    const size_t bits = bytes.size() * 8;
    for (size_t bit = 0; bit < bits; bit += kTextBitsPerChar) {
        unsigned v = 0;
        for (int b = 0; b < kTextBitsPerChar; b++) {
            const size_t at = bit + b;
            const unsigned set = at < bits ? (bytes[at / 8] >> (7 - at % 8)) & 1 : 0;
            v = (v << 1) | set;
        }
        out.push_back(static_cast<char>(kTextCharBase + v));
    }
    return out;
}

}  // namespace

std::string ScrambleText(const std::vector<uint8_t>& plain, uint16_t key) {
    const KeyedTextTables tables = KeyTextTables(key);
    std::vector<uint8_t> bytes(plain);
    for (size_t j = 0; j < bytes.size(); j++)
        bytes[j] ^= tables.xorBytes[j % TextKeys::kXorCount];
    ScrambleTextWords(bytes, tables);
    return PackCharacters(bytes);
}

std::string ScrambleProgramText(const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return ScrambleText(bytes, TextKeys::kProgramTextKey);
}

void ScrambleTable(uint8_t* buffer, int32_t length, uint32_t key) {
    if (length <= 0)
        return;
    const KeyedPgrTables t = KeyPgrTables(key);
    const uint8_t* noise = NoiseTable();
    for (int32_t i = 0; i < length; i++) {
        const uint8_t b = static_cast<uint8_t>(buffer[i] + noise[i % Pgr::kNoiseTableSize]);
        buffer[i] = b ^ t.a[i % PgrSecrets::kByteTableCount];
    }
    const int32_t n = length / 2;
    for (int32_t word = 0; word < n; word++) {
        const int iB = word % PgrSecrets::kByteTableCount;
        const int iWR = word % PgrSecrets::kWordTableCount;
        uint16_t w = LoadLe16(buffer + 2 * word);
        w = RotateRight16(w, t.b[iB]);
        w = SwapBytes16(w);
        w ^= t.w[iWR];
        w = RotateRight16(w, t.r[iWR]);
        w = SwapBytes16(w);
        w ^= static_cast<uint16_t>(n - word);
        StoreLe16(buffer + 2 * word, w);
    }
}

void ScrambleData(uint8_t* buffer, int32_t length, int32_t dataOffset) {
    ForEachDataBlock(buffer, length, dataOffset, ScrambleTable);
}

void ScrambleHeaderAndTables(uint8_t* archive, size_t length) {
    if (length < static_cast<size_t>(Pgr::kHeaderSize))
        return;
    PGRHeader plain;
    memcpy(&plain, archive, sizeof plain);
    ScrambleTable(archive + Pgr::kScrambledHeaderOffset, Pgr::kScrambledHeaderSize, HeaderKey());
    for (const TableUnit& unit : TableUnitsOf(plain)) {
        if (unit.length < 0 || unit.length > INT32_MAX || unit.offset + unit.length > static_cast<int64_t>(length))
            return;
        ScrambleTable(archive + unit.offset, static_cast<int32_t>(unit.length), unit.key);
    }
}
