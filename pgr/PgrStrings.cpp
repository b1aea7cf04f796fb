#include "pgr/PgrStrings.h"

#include <cstring>

#include "install/portable/Unscramble.h"

namespace {

// Room for a value written at the wrap position, plus the terminating zero the
// ring adds when a hostile string decodes without one.
char g_valueRing[kValueRingWrap + Pgr::kMaxDecodedString + 1];
int32_t g_valueRingPosition = 0;

// Most packed characters whose decoded bytes fit in outSize.
int32_t CharactersFitting(int outSize) { return (8 * outSize + 7) / 6; }

int32_t DecodeInto(const char* table, int32_t offset, char* out, int outSize) {
    const char* packed = table + offset + 1;  // after the marker byte
    int32_t characters = static_cast<int32_t>(strlen(packed));
    if (characters > CharactersFitting(outSize))
        characters = CharactersFitting(outSize);
    return DescrambleText(packed, reinterpret_cast<uint8_t*>(out), characters + 1, static_cast<uint16_t>(offset));
}

}  // namespace

bool IsScrambledString(const char* table, int32_t offset) {
    return static_cast<uint8_t>(table[offset]) >= Pgr::kScrambledStringMarker;
}

int32_t DecodeScrambledString(const char* table, int32_t offset, char* out, int outSize) {
    const int32_t produced = DecodeInto(table, offset, out, outSize);
    const void* end = memchr(out, 0, static_cast<size_t>(produced));
    return end ? static_cast<int32_t>(static_cast<const char*>(end) - out) : -1;
}

bool TableStringEquals(const char* table, int32_t offset, const char* wanted, int workSize) {
    if (!IsScrambledString(table, offset))
        return strcmp(table + offset, wanted) == 0;
    char work[Pgr::kMaxDecodedString];
    return DecodeScrambledString(table, offset, work, workSize) >= 0 && strcmp(work, wanted) == 0;
}

bool TableStringText(const char* table, int32_t offset, std::string& text) {
    if (!IsScrambledString(table, offset)) {
        text = table + offset;
        return true;
    }
    char decoded[Pgr::kMaxDecodedString];
    const int32_t length = DecodeScrambledString(table, offset, decoded, sizeof decoded);
    text.assign(decoded, length >= 0 ? static_cast<size_t>(length) : 0);
    return length >= 0;
}

const char* TableStringValue(const char* table, int32_t offset) {
    if (!IsScrambledString(table, offset))
        return table + offset;
    char* value = g_valueRing + g_valueRingPosition;
    const int32_t produced = DecodeInto(table, offset, value, Pgr::kMaxDecodedString);
    value[produced] = 0;
    g_valueRingPosition += static_cast<int32_t>(strlen(value)) + 1;
    if (g_valueRingPosition > kValueRingWrap)
        g_valueRingPosition = 0;
    return value;
}
