// How a button's options become its window style, its theme part, the theme
// state it is painted in and the alpha of a transparent button.
#pragma once

#include <cstdint>

#include "toolkit/portable/controls/ButtonLayout.h"
#include "toolkit/portable/options/ControlOptions.h"

ButtonKind ButtonKindOf(const ButtonOptions& options);

struct ButtonStyleRequest {
    // Starts as !"oldstyle"; the creation drops it when no "Button" theme
    // opens, and the style is computed again.
    bool newStyle = true;
    // The process-wide switch that keeps check boxes and radio buttons
    // system-drawn.
    bool systemCheckBoxes = false;
    int width = 0;  // after SplitRequestedExtent; 0 is sized later
    int height = 0;
    // The owner-drawn variant's default button. BS_OWNERDRAW already holds
    // BS_DEFPUSHBUTTON's bit, so only a "system" button shows the difference.
    bool defaultButton = false;
};

struct ButtonStyle {
    uint32_t style = 0;
    int themePart = 1;  // 1 push button, 2 radio button, 3 check box
    bool ownerDrawn = false;
};

ButtonStyle ComputeButtonStyle(const ButtonOptions& options, const ButtonStyleRequest& request);

struct ButtonPaintState {
    bool disabled = false;  // the window state or the "disabled" option
    bool focused = false;
    bool hot = false;
    bool selected = false;
    bool checked = false;
};

// Theme state id: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 ticked, 6 ticked
// and hot (the last two for check boxes and radio buttons only).
int ButtonThemeState(ButtonKind kind, const ButtonPaintState& state);

// Constant alpha (0..255) a transparent button is blended with: the hot
// transparency while hot or pressed when one was given, else the plain one.
// -1 when the button is not blended.
int ButtonBlendAlpha(const ButtonOptions& options, bool hotOrPressed);
