#include "install/steps/SystemChecks.h"

#include <cstdio>

#include "InstallerTexts.h"
#include "install/steps/InstallerEnd.h"
#include "install/portable/ProbeSse.h"
#include "install/portable/SystemCheckRules.h"
#include "install/portable/Unscramble.h"

namespace {

// Longer than the unscrambler's 500-byte limit, so kept as they stand.
constexpr char kSseUnverifiedText[] =
    "Orvalis Installer could not determine whether or not your CPU supports the SSE2 instruction set.\n\n"
    "SSE2 Support is required to run Orvalis.  In many cases, your CPU may actually support SSE2 but needs to be "
    "turned on through the BIOS or other support program. If so, quit the Orvalis Installer, activate SSE2 and "
    "return.\n\nIf you believe this message to be incorrect, press 'YES' to run Orvalis Installer. Doing so may "
    "result in a Orvalis error when you load an image\n\nDo you wish to continue anyway?";
constexpr char kSseUnverifiedTitle[] = "Installer - SSE2 Support unverified";
constexpr char kSseMissingText[] =
    "Your CPU does not support the SSE2 instruction set.\n\nSSE2 Support is required to run Orvalis Image Editor.  "
    "In many cases, your CPU may actually support SSE but needs to be turned on through the BIOS or other support "
    "program. If so, quit the Orvalis Installer, activate SSE2 and return.\n\nIf you believe this message to be "
    "incorrect, press 'YES' to run Orvalis Installer. Doing so may result in a Orvalis error when you load an "
    "image\n\nDo you wish to continue anyway?";
constexpr char kSseMissingTitle[] = "Installer - SSE2 not supported";

// The version message, process-wide as the message box reads it on the
// user-interface thread.
char g_sVersionMessage[1024];

const char* WindowsName(WindowsFamily family) {
    switch (family) {
    case WindowsFamily::Win32s:
        return UnscrambleText(Texts::WindowsNameWin32s);
    case WindowsFamily::Win9x:
        return UnscrambleText(Texts::WindowsNameWin9x);
    case WindowsFamily::NT:
        return UnscrambleText(Texts::WindowsNameNT);
    default:
        return UnscrambleText(Texts::WindowsNameUnknown);
    }
}

}  // namespace

bool CheckSse2() {
    const SseVerdict verdict = JudgeSse(ProbeSse());
    if (verdict == SseVerdict::Supported)
        return true;
    const bool unverified = verdict == SseVerdict::Unverified;
    const int answer = MessageBoxA(GetDesktopWindow(), unverified ? kSseUnverifiedText : kSseMissingText,
                                   unverified ? kSseUnverifiedTitle : kSseMissingTitle, MB_YESNO | MB_ICONEXCLAMATION);
    return answer != IDNO;
}

void CheckWindowsVersion(const CCorWindow& installerWindow) {
    const WindowsFamily family = JudgeWindowsVersion(GetVersion());
    if (family == WindowsFamily::Accepted)
        return;
    const char* name = WindowsName(family);
    std::snprintf(g_sVersionMessage, sizeof g_sVersionMessage, UnscrambleText(Texts::WindowsVersionFormat), name);
    if (installerWindow.MessageBox(g_sVersionMessage, UnscrambleText(Texts::CommonTitle),
                                   MB_YESNO | MB_ICONINFORMATION) == IDNO)
        EndInstaller();
}
