// The shadow's status byte and the show rule that every show, hide and
// composition change runs through. Pure, so the Win32 side only supplies the
// parent's state and acts on the returned bits.
#pragma once

#include <cstdint>

namespace ShadowStatus {

constexpr uint8_t kEnabled = 1;
constexpr uint8_t kShadowVisible = 2;
constexpr uint8_t kParentVisible = 4;
// Desktop composition draws its own shadows; ours would double them.
constexpr uint8_t kSuppressed = 8;

// The status after the show rule: visibility is worked out afresh from the
// enabled and suppressed bits and the parent. A hidden parent takes its
// shadow with it; a maximised or minimised one has no edge to shadow, so
// its shadow stays hidden.
uint8_t AfterShow(uint8_t status, bool parentVisible, bool parentMaximisedOrMinimised);

// The suppressed bit set or cleared for the current composition state;
// `always` shadows keep drawing with composition on.
uint8_t WithComposition(uint8_t status, bool compositionOn, bool always);

inline bool IsActive(uint8_t status) {
    return (status & (kEnabled | kSuppressed)) == kEnabled;
}

// A hidden parent takes its shadow with it.
inline uint8_t AfterHide(uint8_t status) {
    return status & static_cast<uint8_t>(~(kShadowVisible | kParentVisible));
}

// The parent's client size as WM_SIZE reports it.
struct ParentSize {
    int width = 0;
    int height = 0;
};

enum class SizeAction {
    kNothing,
    kHide,
    // Show the shadow without activation and update it now; another update
    // follows at the parent's next paint.
    kShowAndUpdate,
    // A growing parent has not painted its new area yet; updating at its
    // next paint keeps the shadow from running ahead of it.
    kUpdateAtPaint,
    kUpdateNow,
};

struct SizeStep {
    uint8_t status = 0;
    SizeAction action = SizeAction::kNothing;
};

// What WM_SIZE does to the shadow. The caller remembers `now` as the last
// size whatever the answer.
SizeStep AfterSize(uint8_t status, bool parentMaximisedOrMinimised, bool parentVisible, ParentSize last,
                   ParentSize now);

}  // namespace ShadowStatus
