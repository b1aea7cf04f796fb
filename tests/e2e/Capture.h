// Pictures of windows and of the screen, as 24-bit BMP files.
#pragma once

#include <string>

#include "toolkit/core/Platform.h"

// The window's whole rectangle (frame included) as the screen shows it,
// after it is brought to the front and its picture has stopped changing.
// False, with error set, when the picture cannot be taken or written, or
// still changes after timeoutMs.
bool CaptureWindow(HWND window, const std::string& path, int timeoutMs, std::string& error);

bool CaptureScreen(const std::string& path, int timeoutMs, std::string& error);
