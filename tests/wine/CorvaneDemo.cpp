// Shows the three kinds of window frame side by side: a normal captioned
// window, one without system menu and close box, and a borderless one. It
// ends when the first window is closed.
#include "app/WorkerApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWorkerApp app("Caption", 360, 80, 300, 200, [](CCorvane& toolkit) {
        CCorvaneCore& core = toolkit.Core();
        core.Window.Show(1, 0);
        core.Window.CreateWindow(0, 680, 80, 300, 200, "noclose nosysmenu", "noclose nosysmenu");
        core.Window.CreateWindow(0, 0, 0, 300, 200, "noborder", "noborder");
        WaitUntilClosed(core, 1);
        return 0;
    });
    return app.RunWorker(instance);
}
