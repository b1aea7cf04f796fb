// The worker's install sequence, in its one fixed order.
#pragma once

#include "install/steps/InstallState.h"

// The worker thread's body: never returns, every path ends the installer.
[[noreturn]] void InstallWorker(CCorvane& toolkit, CCorWindow installerWindow);

// From the archive check to the last screen; ends the installer.
[[noreturn]] void RunInstallSequence(InstallState& state);
