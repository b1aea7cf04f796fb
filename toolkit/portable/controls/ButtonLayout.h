// Automatic sizing of buttons from measured numbers. The Win32 side measures
// (caption extent, widest character, frame of AdjustWindowRect, check-mark
// width, font height) and these functions decide the size and where the
// caption goes.
#pragma once

// A requested width or height as the creation call stores it: a negative
// value asks for automatic sizing (size 0) and its absolute value becomes the
// margin; zero and positive values are kept with no margin.
struct RequestedExtent {
    int size = 0;
    int margin = 0;
};
RequestedExtent SplitRequestedExtent(int requested);

// Every control other than a button has no automatic sizing; a negative
// width or height is taken as 0 so the recorded edges never lie before x, y.
int GivenExtent(int requested);

enum class ButtonKind { Push, CheckBox, RadioButton };

struct ButtonMeasures {
    int captionWidth = 0;  // caption extent in the button's font
    int captionHeight = 0;
    int widestCharWidth = 0;  // of the context's default font, before the button's is selected
    int frameWidth = 0;       // AdjustWindowRect for WS_CHILD | WS_VISIBLE | WS_BORDER
    int frameHeight = 0;
    int fontHeight = 0;      // text metrics height of the button's font
    int checkMarkWidth = 0;  // SM_CXMENUCHECK, used without a theme
    int themePartWidth = 0;  // true size of the check-box or radio part, used with a theme
};

struct ButtonRequest {
    int width = 0;  // 0 sizes automatically; see SplitRequestedExtent
    int height = 0;
    int marginX = 0;
    int marginY = 0;
    ButtonKind kind = ButtonKind::Push;
    bool themed = false;  // a "Button" theme is open for the button
};

struct ButtonLayout {
    int width = 0;
    int height = 0;
    int textX = 0;  // caption offset inside the button, centred
    int textY = 0;
    int extraCheckWidth = 0;  // theme part width + 5 for themed check boxes and radio buttons
};

ButtonLayout LayOutButton(const ButtonRequest& request, const ButtonMeasures& measures);
