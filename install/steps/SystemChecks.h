// The two questions the installer may ask before installing: whether to go
// on without SSE2, and whether to go on on a Windows it was not written for.
#pragma once

#include "toolkit/core/Corvane.h"

// Main thread, before the worker exists, with a plain message box: true to
// go on, false when the user answered No.
bool CheckSse2();

// The worker: returns when the system is accepted or the user chose to go
// on; ends the installer otherwise.
void CheckWindowsVersion(const CCorWindow& installerWindow);
