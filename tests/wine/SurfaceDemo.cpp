// One window that shows what a surface draws: a gradient, shapes, marked-up
// text in several colours and fonts, and shadowed text. It ends when the
// window is closed.
#include "app/WorkerApp.h"

namespace {

// Line feeds go back to the left edge; the demo's lines start a bit in.
void WriteLine(CCorvaneCore& core, int w, const char* text) {
    core.Window.GotoXY(w, 20, core.Window.GetYPos(w));
    core.Window.Write(w, text);
}

void DrawDemo(CCorvaneCore& core, int w) {
    CWindowOps& ops = core.Window;
    ops.AlwaysBuffer(w);
    ops.Cls(w, RGB(24, 60, 130), RGB(40, 170, 160));
    ops.Rectangle(w, 20, 20, 180, 90, RGB(250, 250, 250), RGB(30, 30, 30));
    ops.SetThickness(w, 3);
    ops.Ellipse(w, 220, 20, 120, 90, RGB(240, 180, 50), RGB(120, 60, 0));
    ops.Line(w, 360, 20, 480, 110, RGB(255, 255, 255));
    ops.SetThickness(w, 0);

    core.DefineFont("DemoTitle", "Arial,28,bold");
    core.DefineFont("DemoBody", "Arial,16,+italic,+bold");
    ops.SetFont(w, "DemoBody");
    ops.GotoXY(w, 20, 130);
    WriteLine(core, w, "{DemoTitle}Orvalis Image Editor{/}\n");
    WriteLine(core, w, "Plain white, {b}blue{/}, {fg=Yellow}yellow{/}, {g}green{/} and {fg=Red}red{/} text.\n");
    WriteLine(core, w, "{italic}Italic{/}, {bold}bold{/} and {bold}{italic}both{/}{/} from the font's variants.\n");
    ops.SetBgMode(w, true);
    WriteLine(core, w, "{bg=LightGray}{fg=Black} on a light grey background {/}{/}\n");
    ops.SetBgMode(w, false);
    ops.SetFont(w, "Arial,30,bold");
    ops.WriteShadow(w, 30, 300, "Shadowed text");
    ops.Update(w);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWorkerApp app("Surface demo", 200, 100, 520, 380, [](CCorvane& toolkit) {
        CCorvaneCore& core = toolkit.Core();
        core.Window.Show(1, 0);
        DrawDemo(core, 1);
        WaitUntilClosed(core, 1);
        return 0;
    });
    return app.RunWorker(instance);
}
