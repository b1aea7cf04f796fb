#include "install/FreeSpaceRule.h"

#include <climits>

namespace {

constexpr uint64_t kBytesPerMegabyte = 1048576;

bool IsAtoiBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool Enough(int64_t required, std::optional<int64_t> free) {
    return !free || *free >= required;
}

}  // namespace

int64_t RequiredMegabytes(const char* value) {
    if (!value)
        return 0;
    while (IsAtoiBlank(*value))
        ++value;
    const bool negative = *value == '-';
    if (*value == '-' || *value == '+')
        ++value;
    int64_t magnitude = 0;
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    for (; *value >= '0' && *value <= '9'; ++value) {
        magnitude = magnitude * 10 + (*value - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return negative ? -magnitude : magnitude;
}

std::optional<int64_t> FreeMegabytes(std::optional<uint64_t> availableBytes) {
    if (!availableBytes)
        return std::nullopt;
    return static_cast<int64_t>(*availableBytes / kBytesPerMegabyte);
}

bool FreeSpaceSuffices(int64_t r1, std::optional<int64_t> installFree, int64_t r2,
                       std::optional<int64_t> secondFree) {
    return Enough(r1, installFree) && Enough(r2, secondFree);
}
