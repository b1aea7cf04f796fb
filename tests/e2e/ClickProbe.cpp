// A toolkit window whose two buttons end the program, each with its own
// code (Continue 10, Cancel 20; closing the window 0), so a test sees that
// a click reached the button it named. Continue adds 1 while the check box
// (system-drawn, as the installer's are) is on, so a test sees the toolkit
// took the state the driver set.
#include "app/WorkerApp.h"

namespace {

constexpr int kContinueCode = 10;
constexpr int kCancelCode = 20;

int WaitForChoice(CCorvaneCore& core, int window, int next, int cancel, int remember) {
    while (core.WaitEvents(window, "Button,CloseWindow", 0)) {
        if (core.Button.Clicked(next))
            return kContinueCode + core.Button.GetCheck(remember);
        if (core.Button.Clicked(cancel))
            return kCancelCode;
        if (core.Window.CloseRequested(window))
            return 0;
    }
    return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWorkerApp app("Click probe", 100, 100, 300, 120, [](CCorvane& toolkit) {
        CCorvaneCore& core = toolkit.Core();
        // Shown once its buttons are made, as the installer's screens are:
        // a button is visible a moment before the toolkit knows it, and a
        // click in that moment would be lost.
        const int w = core.Window.CreateWindow(0, 100, 100, 300, 120, "Click probe", "asdialog hidden");
        const int next = core.Window.CreateButton(w, 20, 30, 100, 28, "Continue");
        const int cancel = core.Window.CreateButton(w, 160, 30, 100, 28, "Cancel");
        core.SetSystemCheckBoxes(true);
        const int remember = core.Window.CreateButton(w, 20, 62, -1, 22, "Remember choice", "checkbox");
        core.Window.Show(w, SW_SHOW);
        return WaitForChoice(core, w, next, cancel, remember);
    });
    return app.RunWorker(instance);
}
