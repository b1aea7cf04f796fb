// A toolkit window whose two buttons end the program, each with its own
// code (Continue 10, Cancel 20; closing the window 0), so a test sees that
// a click reached the button it named.
#include "tests/wine/WorkerApp.h"

namespace {

constexpr int kContinueCode = 10;
constexpr int kCancelCode = 20;

int WaitForChoice(CCorvaneCore& core, int window, int next, int cancel) {
    while (core.WaitEvents(window, "Button,CloseWindow", 0)) {
        if (core.Button.Clicked(next))
            return kContinueCode;
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
        const int w = core.Window.CreateWindow(0, 100, 100, 300, 120, "Click probe", "asdialog");
        const int next = core.Window.CreateButton(w, 20, 30, 100, 28, "Continue");
        const int cancel = core.Window.CreateButton(w, 160, 30, 100, 28, "Cancel");
        return WaitForChoice(core, w, next, cancel);
    });
    return app.RunWorker(instance);
}
