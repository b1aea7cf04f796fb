#include "toolkit/portable/controls/ScrollArithmetic.h"

#include <climits>

#include "toolkit/portable/controls/ControlStyleBits.h"
#include "toolkit/portable/controls/Saturate.h"

namespace {

constexpr int kBarPage = 10;

int CodeOf(uint32_t wParam) {
    return static_cast<int>(wParam & 0xFFFFu);
}

int ReportedPosition(uint32_t wParam) {
    return static_cast<int>(wParam >> 16);
}

// The unclamped target of a code, wide so that steps at the int limits do
// not overflow. End-scroll keeps the position: taking its high word, which
// the system leaves 0, would throw every bar back to 0 after each click.
ScrollStep Step(uint32_t wParam, int position, int page, int64_t& target) {
    ScrollStep step;
    switch (CodeOf(wParam)) {
    case ScrollCode::kLineUp: target = int64_t{position} - 1; break;
    case ScrollCode::kLineDown: target = int64_t{position} + 1; break;
    case ScrollCode::kPageUp: target = int64_t{position} - page; break;
    case ScrollCode::kPageDown: target = int64_t{position} + page; break;
    case ScrollCode::kThumbPosition:
    case ScrollCode::kThumbTrack:
        step.toDefault = true;
        target = position;
        break;
    case ScrollCode::kEndScroll: target = position; break;
    default: target = ReportedPosition(wParam); break;
    }
    return step;
}

ScrollStep ClampedStep(uint32_t wParam, int position, int page, int64_t minimum, int64_t maximum) {
    int64_t target = 0;
    ScrollStep step = Step(wParam, position, page, target);
    if (!step.toDefault) {
        if (target > maximum)
            target = maximum;
        if (target < minimum)
            target = minimum;
    }
    step.position = SaturateToInt(target);
    return step;
}

}  // namespace

ScrollStep StepHorizontalBar(uint32_t wParam, int position) {
    return ClampedStep(wParam, position, kBarPage, 0, INT_MAX);
}

ScrollStep StepVerticalBar(uint32_t wParam, const ScrollRange& range) {
    const int maximum = range.maximum < range.minimum ? range.minimum : range.maximum;
    return ClampedStep(wParam, range.position, range.page, range.minimum, maximum);
}
