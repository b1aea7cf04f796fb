#include "toolkit/portable/controls/ButtonStyle.h"

#include "toolkit/portable/controls/ControlStyleBits.h"
#include "toolkit/portable/options/StyleBits.h"

namespace {

constexpr int kMaxAlpha = 255;

struct KindStyle {
    uint32_t systemType;
    int themePart;
};

KindStyle StyleOfKind(ButtonKind kind) {
    switch (kind) {
    case ButtonKind::CheckBox: return {StyleBits::kButtonCheckBox, 3};
    case ButtonKind::RadioButton: return {StyleBits::kButtonRadio, 2};
    case ButtonKind::Push: break;
    }
    return {StyleBits::kButtonPush, 1};
}

}  // namespace

ButtonKind ButtonKindOf(const ButtonOptions& options) {
    if (options.radioButton)
        return ButtonKind::RadioButton;
    return options.checkBox ? ButtonKind::CheckBox : ButtonKind::Push;
}

ButtonStyle ComputeButtonStyle(const ButtonOptions& options, const ButtonStyleRequest& request) {
    const ButtonKind kind = ButtonKindOf(options);
    const KindStyle kindStyle = StyleOfKind(kind);
    const bool checkLike = kind != ButtonKind::Push;
    ButtonStyle result;
    result.themePart = kindStyle.themePart;
    result.ownerDrawn =
        !options.system && !(checkLike && (!request.newStyle || request.systemCheckBoxes));
    // A tab stop, as in every dialog: the keyboard reaches it with Tab.
    uint32_t style = StyleBits::kChild | StyleBits::kClipSiblings | StyleBits::kButtonFlat | StyleBits::kTabStop;
    style |= result.ownerDrawn ? StyleBits::kButtonOwnerDraw : kindStyle.systemType;
    if (request.defaultButton && kind == ButtonKind::Push)
        style |= StyleBits::kButtonDefPush;
    // A button sized automatically is shown only once it has its size, a
    // transparent one once the background under it is saved.
    if (request.width != 0 && request.height != 0 && !options.hidden && !options.transparent)
        style |= StyleBits::kVisible;
    // Disabled from its creation: never shown for an instant as one to click.
    if (options.disabled)
        style |= StyleBits::kDisabled;
    result.style = style;
    return result;
}

int ButtonThemeState(ButtonKind kind, const ButtonPaintState& state) {
    if (state.disabled)
        return 4;
    if (kind != ButtonKind::Push && state.checked)
        return state.hot ? 6 : 5;
    if (state.selected && state.focused)
        return 3;
    return state.hot ? 2 : 1;
}

int ButtonBlendAlpha(const ButtonOptions& options, bool hotOrPressed) {
    if (!options.transparent)
        return -1;
    int alpha = options.transparency;
    if (hotOrPressed && options.hotTransparencyGiven)
        alpha = options.hotTransparency;
    if (alpha < 0)
        return -1;
    return alpha > kMaxAlpha ? kMaxAlpha : alpha;
}
