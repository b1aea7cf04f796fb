#include "install/portable/DecimalText.h"

#include <climits>

namespace {

bool IsAtoiBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int32_t ParseLikeAtoi(const char* text) {
    if (!text)
        return 0;
    while (IsAtoiBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    int64_t magnitude = 0;
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
