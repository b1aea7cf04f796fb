// How the installer ends: always by closing the application's frame, which
// ends the message loop and the process, then the calling thread.
#pragma once

#include "toolkit/core/Corvane.h"

// The frame window EndInstaller closes; set once by start-up.
void SetInstallerFrame(HWND frame);

// Sends WM_CLOSE to the frame and waits until it is handled, then ends the
// calling thread with exit code 0.
[[noreturn]] void EndInstaller();

// Shows text, when given, in an error box owned by window, with the common
// title; then EndInstaller.
[[noreturn]] void ReportFatal(const CCorWindow& window, const char* text);

// window, a screen just made through owner; one that could not be made ends
// the installer with a message instead of waiting on nothing.
CCorWindow RequireWindow(const CCorWindow& owner, CCorWindow window);
