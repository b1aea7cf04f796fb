#include "toolkit/portable/shadow/ShadowStatus.h"

namespace ShadowStatus {

uint8_t AfterShow(uint8_t status, bool parentVisible, bool parentMaximisedOrMinimised) {
    uint8_t next = status & (kEnabled | kSuppressed);
    if (!IsActive(next) || !parentVisible)
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

SizeStep AfterSize(uint8_t status, bool parentMaximisedOrMinimised, bool parentVisible, ParentSize last,
                   ParentSize now) {
    if (!IsActive(status))
        return {status, SizeAction::kNothing};
    if (parentMaximisedOrMinimised)
        return {static_cast<uint8_t>(status & ~kShadowVisible), SizeAction::kHide};
    if (!parentVisible)
        return {status, SizeAction::kNothing};
    const uint8_t shown = status | kParentVisible | kShadowVisible;
    if (!(status & kShadowVisible))
        return {shown, SizeAction::kShowAndUpdate};
    if (now.width > last.width || now.height > last.height)
        return {shown, SizeAction::kUpdateAtPaint};
    return {shown, SizeAction::kUpdateNow};
}

}  // namespace ShadowStatus
