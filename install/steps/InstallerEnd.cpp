#include "install/steps/InstallerEnd.h"

#include <process.h>

#include <atomic>

#include "InstallerTexts.h"
#include "install/portable/Unscramble.h"

namespace {

std::atomic<HWND> g_hFrame{nullptr};

}  // namespace

void SetInstallerFrame(HWND frame) {
    g_hFrame = frame;
}

void EndInstaller() {
    if (const HWND frame = g_hFrame.load())
        SendMessageA(frame, WM_CLOSE, 0, 0);
    _endthread();
    for (;;) {
    }
}

void ReportFatal(const CCorWindow& window, const char* text) {
    if (text)
        window.MessageBox(text, UnscrambleText(Texts::CommonTitle), MB_OK | MB_ICONERROR);
    EndInstaller();
}

CCorWindow RequireWindow(const CCorWindow& owner, CCorWindow window) {
    if (!window.Handle())
        ReportFatal(owner, UnscrambleText(Texts::WindowFailure));
    return window;
}
