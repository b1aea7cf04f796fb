// What a user's mouse does to a window, as messages.
#pragma once

#include "toolkit/core/Platform.h"

// Presses a button as a mouse click does. The toolkit's buttons latch their
// click on WM_LBUTTONDOWN, so they get the button-down and button-up pair
// at their centre; a system button (as in message boxes and dialogs) gets
// BM_CLICK, which is what a click gives it. Posted, so a program that is
// busy on that thread cannot hang the driver.
void ClickButton(HWND button);

// What the close box does: WM_SYSCOMMAND SC_CLOSE, which becomes WM_CLOSE.
void PressCloseBox(HWND window);
