// Layered transparency for the window beneath a control: a control records
// itself as the target, someone sets the attributes, and the next call of
// ApplyLayeredAttributes (from the button and static procedures after a
// hover change) makes the control's parent layered with them.
#pragma once

#include "toolkit/core/Platform.h"

struct LayeredAttributes {
    COLORREF colourKey = 0;
    BYTE alpha = 255;
    DWORD flags = LWA_ALPHA;
};

// The control whose parent the attributes go to; null forgets it.
void SetLayeredTarget(HWND control);
// Stores the attributes and marks them pending for the recorded target.
void SetLayeredAttributes(const LayeredAttributes& attributes);
// Applies pending attributes to the target's parent once; true when it did.
bool ApplyLayeredAttributes();
