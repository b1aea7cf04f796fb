#include "toolkit/portable/controls/ControlStyles.h"

#include "toolkit/portable/controls/ControlStyleBits.h"
#include "toolkit/portable/options/StyleBits.h"

namespace {

constexpr uint32_t kShownChild = StyleBits::kChild | StyleBits::kVisible;

struct EditKeywordStyle {
    bool EditOptions::*flag;
    uint32_t style;
};

const EditKeywordStyle kEditStyles[] = {
    {&EditOptions::multiline, StyleBits::kEditMultiline | StyleBits::kEditWantReturn},
    {&EditOptions::autoVScroll, StyleBits::kEditAutoVScroll | StyleBits::kVScroll},
    {&EditOptions::readOnly, StyleBits::kEditReadOnly},
    {&EditOptions::numbersOnly, StyleBits::kEditNumber},
    {&EditOptions::startGroup, StyleBits::kGroup},
    {&EditOptions::endGroup, StyleBits::kGroup},
};

ControlStyle ListLikeStyle(const ListOptions& options, uint32_t kindStyle) {
    ControlStyle result;
    result.style = kShownChild | StyleBits::kTabStop | StyleBits::kVScroll | kindStyle;
    if (options.sunken)
        result.exStyle = StyleBits::kExClientEdge;
    else
        result.style |= StyleBits::kBorder;
    return result;
}

}  // namespace

uint32_t ScrollBarStyle(const BarOptions& options, int width, int height) {
    const uint32_t alignment = options.alignEnd ? StyleBits::kScrollBottomAlign : StyleBits::kScrollTopAlign;
    switch (options.orientation) {
    case Orientation::Horizontal:
        return kShownChild | StyleBits::kScrollHorz | (height == 0 ? alignment : 0);
    case Orientation::Vertical:
        return kShownChild | StyleBits::kScrollVert | (width == 0 ? alignment : 0);
    case Orientation::None: break;
    }
    return 0;
}

uint32_t TrackbarStyle(const BarOptions& options) {
    // Disabled from its creation, as a disabled button is.
    const uint32_t shown = kShownChild | (options.disabled ? StyleBits::kDisabled : 0);
    const uint32_t ticks =
        StyleBits::kTrackAutoTicks | (options.alignEnd ? 0 : StyleBits::kTrackTicksTopLeft);
    switch (options.orientation) {
    case Orientation::Horizontal: return shown | StyleBits::kTrackHorz | ticks;
    case Orientation::Vertical: return shown | StyleBits::kTrackVert | ticks;
    case Orientation::None: break;
    }
    return 0;
}

ControlStyle EditBoxStyle(const EditOptions& options) {
    ControlStyle result;
    result.exStyle = StyleBits::kExClientEdge;
    result.style = StyleBits::kChild | StyleBits::kTabStop;
    if (!options.hidden)
        result.style |= StyleBits::kVisible;
    for (const EditKeywordStyle& k : kEditStyles) {
        if (options.*k.flag)
            result.style |= k.style;
    }
    return result;
}

ControlStyle ListBoxStyle(const ListOptions& options) {
    return ListLikeStyle(options, StyleBits::kListNotify);
}

ControlStyle ComboBoxStyle(const ListOptions& options) {
    return ListLikeStyle(options, StyleBits::kComboDropDownList);
}

uint32_t PanelStyle(const PanelOptions& options, bool ownerDrawn) {
    uint32_t style = options.popup ? StyleBits::kPopup : StyleBits::kChild;
    if (!options.hidden)
        style |= StyleBits::kVisible;
    if (ownerDrawn && !options.regularWindow)
        style |= StyleBits::kStaticOwnerDraw;
    return style;
}
