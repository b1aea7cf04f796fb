// Two windows with the default drop shadow over a light, borderless window
// filling the desktop, so that the shadow's softness and offset show: a
// captioned one, and below it one whose window region rounds its corners,
// which its shadow follows. It ends when the captioned window is closed.
#include "app/WorkerApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWorkerApp app("Backdrop", 0, 0, 100, 100, [](CCorvane& toolkit) {
        CCorvaneCore& core = toolkit.Core();
        const int backdrop = core.Window.CreateWindow(0, 0, 0, 1024, 768, "Backdrop", "noborder hide");
        core.Window.Cls(backdrop, RGB(236, 236, 230));
        core.Window.Show(backdrop, 0);
        const int shadowed = core.Window.CreateWindow(0, 300, 200, 400, 260, "Shadowed", "hide");
        core.Window.Cls(shadowed, RGB(250, 250, 250));
        core.Window.SetDropShadow(shadowed, 2);
        core.Window.Show(shadowed, 0);
        const int rounded = core.Window.CreateWindow(0, 300, 500, 400, 200, "Rounded", "hide");
        core.Window.Cls(rounded, RGB(250, 250, 250));
        SetWindowRgn(core.Window.GetHwnd(rounded), CreateRoundRectRgn(0, 0, 401, 201, 80, 80), FALSE);
        core.Window.SetDropShadow(rounded, 2);
        core.Window.Show(rounded, 0);
        WaitUntilClosed(core, shadowed);
        return 0;
    });
    return app.RunWorker(instance);
}
