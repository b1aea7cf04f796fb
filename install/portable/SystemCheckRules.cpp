#include "install/portable/SystemCheckRules.h"

namespace {

constexpr uint32_t kNotNtBit = 0x80000000u;

}  // namespace

SseVerdict JudgeSse(int32_t probe) {
    if (probe == kSseUnknown)
        return SseVerdict::Unverified;
    // Any other negative value can only be a probe gone wrong: no SSE2 proven.
    if (probe < 0 || !(probe & kSse2Present))
        return SseVerdict::NotSupported;
    return SseVerdict::Supported;
}

WindowsFamily JudgeWindowsVersion(uint32_t version) {
    const uint32_t major = version & 0xFF;
    const bool notNt = (version & kNotNtBit) != 0;
    if ((major == 5 && !notNt) || major == 6)
        return WindowsFamily::Accepted;
    if (!notNt)
        return WindowsFamily::NT;
    if (major == 3)
        return WindowsFamily::Win32s;
    if (major == 4)
        return WindowsFamily::Win9x;
    return WindowsFamily::Unknown;
}
