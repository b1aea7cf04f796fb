// What a user's mouse does to a window, as messages, and what the
// keyboard does, as real keystrokes.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/portable/KeyNames.h"
#include "toolkit/core/Platform.h"

// Presses a button as a mouse click does. The toolkit's buttons latch their
// click on WM_LBUTTONDOWN, so they get the button-down and button-up pair
// at their centre; a system button (as in message boxes and dialogs) gets
// BM_CLICK, which is what a click gives it. Posted, so a program that is
// busy on that thread cannot hang the driver.
void ClickButton(HWND button);

// What the close box does: WM_SYSCOMMAND SC_CLOSE, which becomes WM_CLOSE.
void PressCloseBox(HWND window);

// Types keys as the keyboard does, through the system's input queue, into
// the foreground window: each goes to whichever of its controls has the
// focus when the program reads it, and Shift is held around a shifted one.
// Each key is typed once the program has read and handled the one before,
// and it returns once the last is handled or the window has closed, so a
// next look at the window sees what the keys did. False with the reason
// when the system took not all of them or the program did not read them
// within timeoutMs.
bool TypeKeys(HWND window, const std::vector<KeyStroke>& keys, int timeoutMs, std::string& error);
