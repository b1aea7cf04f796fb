#include "toolkit/portable/controls/ButtonLayout.h"

#include <cstdint>

#include "toolkit/portable/controls/Saturate.h"

namespace {

constexpr int kCheckMarkGap = 5;

bool IsCheckLike(ButtonKind kind) {
    return kind != ButtonKind::Push;
}

// The widest character stands in for a margin of push buttons; check boxes
// and radio buttons leave room for their mark instead, which a theme adds
// separately as extra width.
int64_t MarkAllowance(const ButtonRequest& request, const ButtonMeasures& m) {
    if (!IsCheckLike(request.kind))
        return m.widestCharWidth;
    return request.themed ? 0 : int64_t{m.checkMarkWidth} + kCheckMarkGap;
}

}  // namespace

RequestedExtent SplitRequestedExtent(int requested) {
    if (requested >= 0)
        return {requested, 0};
    return {0, SaturateToInt(-int64_t{requested})};
}

int GivenExtent(int requested) {
    return requested < 0 ? 0 : requested;
}

ButtonLayout LayOutButton(const ButtonRequest& request, const ButtonMeasures& m) {
    const int64_t allowance = MarkAllowance(request, m);
    int64_t width = request.width;
    if (width == 0)
        width = int64_t{m.captionWidth} + m.frameWidth + allowance + request.marginX;
    int64_t height = request.height;
    if (height == 0) {
        height = IsCheckLike(request.kind)
                     ? int64_t{m.fontHeight}
                     : int64_t{m.captionHeight} + m.frameHeight + allowance / 2 + request.marginY;
    }
    ButtonLayout layout;
    if (IsCheckLike(request.kind) && request.themed)
        layout.extraCheckWidth = SaturateToInt(int64_t{m.themePartWidth} + kCheckMarkGap);
    layout.width = SaturateToInt(width + layout.extraCheckWidth);
    layout.height = SaturateToInt(height);
    layout.textX = SaturateToInt((int64_t{layout.width} - m.captionWidth) / 2);
    layout.textY = SaturateToInt((int64_t{layout.height} - m.captionHeight) / 2);
    return layout;
}
