#include "install/portable/Unscramble.h"

#include <cstring>

#include "install/portable/Bits16.h"
#include "install/portable/TextTransform.h"

namespace {

// One slack byte takes the partial byte that the last character may start
// when the input is cut at kTextScratchSize; it is never counted.
uint8_t g_scratch[kTextScratchSize + 1];

// Results start at most at offset 2000 and hold at most kTextScratchSize
// bytes, so the tail of the ring is never written and stays zero: a strlen
// over any result stops inside the ring.
char g_ring[kUnscrambleRingSize];
int32_t g_ringOffset = 0;

int32_t UnpackCharacters(const char* input, int32_t count) {
    int32_t p = 0;
    for (int32_t m = 0; m < count && p < kTextScratchSize; m++) {
        const uint8_t v = static_cast<uint8_t>(input[m] - kTextCharBase);
        switch (m & 3) {
            case 0:
                g_scratch[p] = static_cast<uint8_t>(v << 2);
                break;
            case 1:
                g_scratch[p++] |= static_cast<uint8_t>(v >> 4);
                g_scratch[p] = static_cast<uint8_t>(v << 4);
                break;
            case 2:
                g_scratch[p++] |= static_cast<uint8_t>(v >> 2);
                g_scratch[p] = static_cast<uint8_t>(v << 6);
                break;
            default:
                g_scratch[p++] |= v;
                break;
        }
    }
    return p;
}

void DescrambleWords(int32_t n, const KeyedTextTables& t) {
    int o = 0, i = 0, k = 0;
    for (int32_t pos = 0; pos + 1 < n; pos += 2) {
        uint16_t w = SwapBytes16(LoadLe16(g_scratch + pos));
        w = RotateLeft16(w, t.innerRotation[i]);
        w ^= t.words[k];
        w = SwapBytes16(w);
        w = RotateLeft16(w, t.outerRotation[o]);
        StoreLe16(g_scratch + pos, w);
        o = (o + 1) % TextKeys::kOuterRotationCount;
        k = (k + 1) % TextKeys::kWordStageCycle;
        i = (i + 1) % TextKeys::kWordStageCycle;
    }
}

}  // namespace

int32_t DescrambleText(const char* input, uint8_t* output, int32_t length, uint16_t key) {
    const KeyedTextTables tables = KeyTextTables(key);
    const int32_t n = length > 1 ? UnpackCharacters(input, length - 1) : 0;
    if (n >= 2)
        DescrambleWords(n, tables);
    for (int32_t j = 0; j < n; j++)
        g_scratch[j] ^= tables.xorBytes[j % TextKeys::kXorCount];
    memcpy(output, g_scratch, static_cast<size_t>(n));
    return n;
}

char* UnscrambleText(const char* scrambled) {
    const int32_t start = g_ringOffset;
    char* result = g_ring + start;
    DescrambleText(scrambled, reinterpret_cast<uint8_t*>(result),
                   static_cast<int32_t>(strlen(scrambled)) + 1, TextKeys::kProgramTextKey);
    int32_t next = start + static_cast<int32_t>(strlen(result)) + 1;
    if (next > kUnscrambleRingWrap)
        next = 0;
    g_ringOffset = next;
    return result;
}
