#include "install/portable/FreeSpaceRule.h"

#include "install/portable/DecimalText.h"

namespace {

constexpr uint64_t kBytesPerMegabyte = 1048576;

bool Enough(int64_t required, std::optional<int64_t> free) {
    return !free || *free >= required;
}

}  // namespace

int64_t RequiredMegabytes(const char* value) {
    return ParseLikeAtoi(value);
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
