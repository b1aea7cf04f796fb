// A text window ("textonly") holding more lines than fit, at the end of its
// scroll bar, with marked-up lines among plain ones. It ends when the window
// is closed.
#include <string>

#include "app/WorkerApp.h"

namespace {

constexpr int kLines = 60;

void WriteDocument(CCorvaneCore& core, int w) {
    core.Window.Write(w, "{bold}Orvalis Image Editor{/}: licence agreement\n");
    core.Window.Write(w, "\n");
    for (int n = 1; n <= kLines; ++n) {
        const std::string number = std::to_string(n);
        if (n % 10 == 0)
            core.Window.Write(w, ("{fg=Cyan}Section " + number + "{/} {italic}in italics{/} and plain text\n").c_str());
        else if (n % 7 == 0)
            core.Window.Write(w, ("{lbg=Yellow}{fg=Black}Line " + number + " on a yellow line{/}\n").c_str());
        else
            core.Window.Write(w, ("Line " + number + " of the document, written as the installer shows it.\n").c_str());
    }
    core.Window.Write(w, "{g}End of the document.{/}");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWorkerApp app("Text window demo", 200, 100, 520, 380, [](CCorvane& toolkit) {
        CCorvaneCore& core = toolkit.Core();
        const int w = core.Window.CreateWindow(0, 240, 160, 460, 300, "Licence", "textonly");
        WriteDocument(core, w);
        WaitUntilClosed(core, w);
        return 0;
    });
    return app.RunWorker(instance);
}
