// The uninstaller's screens, in the installer's look: the question first,
// then the removal with its progress bar, then the report of what stayed.
#pragma once

#include <string>

#include "install/portable/InstallRecord.h"
#include "toolkit/core/Corvane.h"

struct UninstallJob {
    std::string recordPath;
    RecordReading reading;  // the record as read from recordPath
    bool recordFound = false;
    std::string title;      // of every window and message box
};

// The window CWorkerApp makes first, with the job's title and place.
constexpr int kUninstallWindow = 1;
constexpr int kUninstallWidth = 520;
constexpr int kUninstallHeight = 210;

// Runs the whole removal once the user agrees; 0 when the product was
// removed or the user said no, 1 when the record could not be used.
int RunUninstallScreens(CCorvane& toolkit, const UninstallJob& job);
