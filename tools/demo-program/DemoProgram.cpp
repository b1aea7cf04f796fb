// The demo product's main program: one window in the installer's look with
// the product's name, the version the installer recorded, the sample files
// installed beside the program and a Close button. Closing the window by
// its close box or the button ends the program with exit code 0.
#include "app/LibrarySearch.h"
#include "app/ScreenLook.h"
#include "app/ScreenMetrics.h"
#include "app/WorkerApp.h"
#include "tools/demo-program/InstalledFacts.h"
#include "tools/demo-program/SampleList.h"
#include "tools/demo-program/VersionText.h"

namespace {

constexpr const char* kTitle = "Orvalis 48-bit Image Editor";
// Hidden until its controls are made.
constexpr const char* kWindowOptions = "nosizing hide";
constexpr const char* kHeadingFont = "Arial,22,bold";
constexpr const char* kListHeading = "Sample files:";
constexpr const char* kListOptions = "sunken defaultColors";
constexpr const char* kCloseCaption = "Close";
// The window CWorkerApp makes first, with the title and place given to it.
constexpr int kProgramWindow = 1;
constexpr int kWindowWidth = 460;
constexpr int kWindowHeight = 380;
constexpr int kMargin = 20;
constexpr int kHeadingY = 16;
constexpr int kVersionY = 52;
constexpr int kListHeadingY = 84;
constexpr int kListY = 104;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 12;

void WriteTexts(CCorvaneCore& core) {
    core.Window.SetFont(kProgramWindow, kHeadingFont);
    WriteAt(core, kProgramWindow, kMargin, kHeadingY, kTitle);
    core.Window.SetFont(kProgramWindow, kMainFont);
    WriteAt(core, kProgramWindow, kMargin, kVersionY, VersionLine(ReadInstalledVersion()).c_str());
    WriteAt(core, kProgramWindow, kMargin, kListHeadingY, kListHeading);
}

// Posted, not sent: the button is still handling its click, and the close
// destroys the window the button sits on.
void CloseProgramWindow(void* window, int) {
    PostMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0);
}

// The list fills the space between its heading and the button, which sits
// in the bottom right corner; both keep the margin to the window's edges.
// Returns the list, which takes the focus: its arrow keys move through it.
int MakeControls(CCorvaneCore& core) {
    const SIZE client = ClientSize(core, kProgramWindow);
    const int buttonY = client.cy - kMargin - kButtonHeight;
    const int list = core.Window.CreateListBox(kProgramWindow, kMargin, kListY, client.cx - 2 * kMargin,
                                               buttonY - kButtonGap - kListY, kListOptions);
    for (const std::string& line : SampleListLines(ListSamplesFolder()))
        core.ListBox.AddString(list, line.c_str());
    const int close = core.Window.CreateButton(kProgramWindow, client.cx - kMargin - kButtonWidth, buttonY,
                                               kButtonWidth, kButtonHeight, kCloseCaption);
    core.Button.SetClickCallback(close, CloseProgramWindow, core.Window.GetHwnd(kProgramWindow));
    return list;
}

int RunProgramWindow(CCorvane& toolkit) {
    CCorvaneCore& core = toolkit.Core();
    DefineMainFont(core);
    PaintDialogFace(core, kProgramWindow);
    WriteTexts(core);
    const int list = MakeControls(core);
    core.Window.Update(kProgramWindow);
    core.Window.SetFocus(list);
    core.Window.Show(kProgramWindow, SW_SHOW);
    WaitUntilClosed(core, kProgramWindow);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    const POINT origin = CentredOrigin(kWindowWidth, kWindowHeight);
    CWorkerApp app(kTitle, origin.x, origin.y, kWindowWidth, kWindowHeight, RunProgramWindow, kWindowOptions);
    return app.RunWorker(instance);
}
