#include "toolkit/portable/shadow/ShadowStatus.h"

namespace ShadowStatus {

uint8_t AfterShow(uint8_t status, bool parentMaximisedOrMinimised) {
    uint8_t next = status & (kEnabled | kSuppressed);
    if (!IsActive(next))
        return next;
    next |= kParentVisible;
    if (!parentMaximisedOrMinimised)
        next |= kShadowVisible;
    return next;
}

uint8_t WithComposition(uint8_t status, bool compositionOn, bool always) {
    if (compositionOn && !always)
        return status | kSuppressed;
    return status & static_cast<uint8_t>(~kSuppressed);
}

}  // namespace ShadowStatus
