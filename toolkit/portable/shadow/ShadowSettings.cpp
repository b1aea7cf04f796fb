#include "toolkit/portable/shadow/ShadowSettings.h"

#include "toolkit/portable/controls/Saturate.h"

namespace {

bool InRange(int n, int low, int high) {
    return n >= low && n <= high;
}

}  // namespace

bool CShadowSettings::SetShadowSize(int n) {
    if (!InRange(n, -kSizeLimit, kSizeLimit))
        return false;
    m_nSize = static_cast<int8_t>(n);
    return true;
}

bool CShadowSettings::SetShadowSharpness(int n) {
    if (!InRange(n, 0, kSharpnessLimit))
        return false;
    m_nSharpness = static_cast<uint8_t>(n);
    return true;
}

bool CShadowSettings::SetShadowDarkness(int n) {
    if (!InRange(n, 0, kDarknessLimit))
        return false;
    m_nDarkness = static_cast<uint8_t>(n);
    return true;
}

bool CShadowSettings::SetShadowOffset(int x, int y) {
    if (!InRange(x, -kOffsetLimit, kOffsetLimit) || !InRange(y, -kOffsetLimit, kOffsetLimit))
        return false;
    m_nXOffset = static_cast<int8_t>(x);
    m_nYOffset = static_cast<int8_t>(y);
    return true;
}

ShadowPoint ShadowWindowPosition(int parentLeft, int parentTop, const CShadowSettings& settings) {
    const int64_t shift = int64_t{0} - settings.Size();
    return {SaturateToInt(int64_t{parentLeft} + settings.XOffset() + shift),
            SaturateToInt(int64_t{parentTop} + settings.YOffset() + shift)};
}
