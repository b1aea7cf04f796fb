#include "install/screens/WelcomeScreen.h"

#include "InstallerTexts.h"
#include "app/ScreenLook.h"
#include "app/ScreenMetrics.h"
#include "install/screens/ArchiveImage.h"
#include "install/portable/DocumentLines.h"
#include "install/steps/InstallerEnd.h"
#include "install/portable/Unscramble.h"
#include "pgr/ExtractEntry.h"

namespace {

constexpr DWORD kButtonPollMs = 100;
constexpr int kMargin = 20;
constexpr int kButtonsFromBottom = 45;
constexpr int kNoteFromBottom = 75;
constexpr int kCornerFromRight = 100;
constexpr int kCornerFromBottom = 20;
constexpr int kHeadingY = 120;
constexpr int kDocumentY = 150;
constexpr int kDocumentHeightLess = 235;
constexpr int kCaptionMargin = -30;
constexpr WPARAM kScrollToTop = 255;

struct Screen {
    InstallState& state;
    CCorvaneCore& core;
    int window;
    int width, height;
};

void MakeButtons(Screen& s) {
    CWindowOps& ops = s.core.Window;
    const int top = s.height - kButtonsFromBottom;
    s.state.continueButton =
        CCorButton(ops.CreateButton(s.window, kMargin, top, kCaptionMargin, 0, UnscrambleText(Texts::WelcomeContinue)));
    const int besideIt = s.core.LastControlPlaced().right + kMargin;
    s.state.quitButton =
        CCorButton(ops.CreateButton(s.window, besideIt, top, kCaptionMargin, 0, UnscrambleText(Texts::WelcomeQuit)));
    ops.SetCancelButton(s.window, s.state.quitButton.Handle());
}

void WriteAt(Screen& s, int x, int y, const char* text) {
    s.core.Window.GotoXY(s.window, x, y);
    s.core.Window.Write(s.window, text);
}

void WriteHeading(Screen& s) {
    const char* heading = UnscrambleText(Texts::WelcomeHeading);
    s.core.Window.SetFont(s.window, UnscrambleText(Texts::WelcomeHeadingFont));
    WriteAt(s, (s.width - TextWidth(s.core, s.window, heading)) / 2, kHeadingY, heading);
}

// A missing or unreadable document leaves the window empty. Stored or
// compressed, the entry reads the same.
void PrintDocument(Screen& s) {
    const ExtractedEntry document = ExtractEntry(*s.state.archive, UnscrambleText(Texts::WelcomeDocumentEntry));
    const int window = s.state.welcomeDocument.Handle();
    if (document.status == ExtractStatus::Extracted) {
        for (const std::string& piece : DocumentPieces(reinterpret_cast<const char*>(document.data.get()), document.length))
            s.core.Window.Write(window, piece.c_str());
    }
    SendMessageA(s.core.Window.GetHwnd(window), WM_VSCROLL, kScrollToTop, 0);
}

void BuildScreen(Screen& s) {
    CWindowOps& ops = s.core.Window;
    ops.SetFocus(s.window);
    ops.SetFont(s.window, UnscrambleText(Texts::WelcomeWindowFont));
    ops.Hide(s.window);
    PaintDialogFace(s.core, s.window);
    MakeButtons(s);
    s.state.welcomeDocument = CCorWindow(ops.CreateWindow(s.window, kMargin, kDocumentY, s.width - 2 * kMargin,
                                                          s.height - kDocumentHeightLess, "",
                                                          UnscrambleText(Texts::WelcomeDocumentOptions)));
    ops.SetKeepOpen(s.window, true);
    WriteAt(s, kMargin, s.height - kNoteFromBottom, UnscrambleText(Texts::WelcomeNote));
    ops.SetFont(s.state.welcomeDocument.Handle(), UnscrambleText(Texts::WelcomeDocumentFont));
    WriteAt(s, s.width - kCornerFromRight, s.height - kCornerFromBottom, UnscrambleText(Texts::WelcomeCorner));
    WriteHeading(s);
    DrawArchiveImage(s.state, s.window, 0, 0, UnscrambleText(Texts::BannerEntry));
    PrintDocument(s);
}

}  // namespace

bool ShowWelcomeScreen(InstallState& state) {
    CCorvaneCore& core = state.toolkit->Core();
    const int window = state.installerWindow.Handle();
    const SIZE client = ClientSize(core, window);
    Screen screen = {state, core, window, client.cx, client.cy};
    if (!state.welcomeDocument)
        BuildScreen(screen);
    core.Window.Update(window);
    core.Window.SetFocus(state.continueButton.Handle());
    core.Window.Show(window, SW_SHOW);
    // The latches are read before every wait too: a press or close that came
    // while the worker was not waiting raised its event to nobody.
    for (;;) {
        if (core.Window.CloseRequested(window))
            EndInstaller();
        if (state.continueButton.Clicked())
            return true;
        if (state.quitButton.Clicked())
            return false;
        core.WaitEvents(window, "AnyButton,CloseWindow", 0);
        Sleep(kButtonPollMs);
    }
}
