#include "install/screens/DirectoryScreen.h"

#include <shlobj.h>

#include <cstdio>

#include "InstallerTexts.h"
#include "app/ScreenMetrics.h"
#include "install/portable/Unscramble.h"
#include "install/steps/InstallerEnd.h"

namespace {

constexpr int kWidth = 750;
constexpr int kHeight = 250;
constexpr int kButtonX = 230;
constexpr int kButtonWidth = 300;
constexpr int kButtonHeight = -1;
constexpr UINT kBrowseFlags = BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
constexpr const char* kTitle = "Select Installation Directory";
constexpr const char* kBrowseTitle = "Select Installation Directory.";
constexpr const char* kIntro = "Orvalis 48-bit Image Editor will be installed in the following directory:";

// Shared with the folder browser, which runs on the user-interface thread.
char g_sBrowsePath[MAX_PATH];
BROWSEINFOA g_stBrowse;

struct Screen {
    InstallState& state;
    CCorvaneCore& core;
    int window = 0;
    int proceed = 0, change = 0, cancel = 0;
};

void WriteCentred(Screen& s, int y, const char* text) {
    const int x = (ClientSize(s.core, s.window).cx - TextWidth(s.core, s.window, text)) / 2;
    s.core.Window.GotoXY(s.window, x, y);
    s.core.Window.Write(s.window, text);
}

void Draw(Screen& s) {
    CWindowOps& ops = s.core.Window;
    ops.Cls(s.window, RGB(32, 32, 100));
    ops.SetfgColor(s.window, RGB(128, 128, 220));
    ops.SetbgColor(s.window, RGB(64, 64, 192));
    ops.SetFont(s.window, "programdefault");
    WriteCentred(s, 10, kIntro);
    ops.SetfgColor(s.window, RGB(220, 220, 220));
    ops.SetFont(s.window, "DirFont");
    WriteCentred(s, 50, s.state.targetText);
    ops.Update(s.window);
}

// The path buffer is also the browser's display-name buffer, which Wine
// fills while the user moves through the tree; a cancelled browser must not
// leave that name behind as if it were a choice.
void RunBrowser(void*, void*) {
    g_sBrowsePath[0] = '\0';
    LPITEMIDLIST item = SHBrowseForFolderA(&g_stBrowse);
    if (!item || !SHGetPathFromIDListA(item, g_sBrowsePath))
        g_sBrowsePath[0] = '\0';
    CoTaskMemFree(item);
}

// The picked folder, or empty when the user cancelled or picked something
// without a file-system path.
const char* Browse(Screen& s) {
    g_stBrowse = {};
    g_stBrowse.hwndOwner = s.state.installerWindow.Hwnd();
    g_stBrowse.pszDisplayName = g_sBrowsePath;
    g_stBrowse.lpszTitle = kBrowseTitle;
    g_stBrowse.ulFlags = kBrowseFlags;
    s.core.Window.Hide(s.window);
    s.core.RunOnMainThread(RunBrowser, nullptr, nullptr);
    s.core.Window.Show(s.window, SW_SHOW);
    return g_sBrowsePath;
}

void Build(Screen& s) {
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    s.core.DefineFont("DirFont", "Arial,13,bold");
    s.core.DefineFont("programdefault", "Arial,15");
    // Shown once built, with the focus on its first button.
    s.window = RequireWindow(s.state.installerWindow,
                             s.state.installerWindow.CreateWindow(x, y, kWidth, kHeight, kTitle, "noclose nosysmenu hide"))
                   .Handle();
    SetWindowPos(s.core.Window.GetHwnd(s.window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CWindowOps& ops = s.core.Window;
    // Drawn into the back buffer only, so that hiding it for the folder
    // browser and showing it again gives back what it showed.
    ops.AlwaysBuffer(s.window);
    s.proceed = ops.CreateButton(s.window, kButtonX, 100, kButtonWidth, kButtonHeight, "Continue");
    s.change = ops.CreateButton(s.window, kButtonX, 135, kButtonWidth, kButtonHeight, "Change Installation Directory");
    s.cancel = ops.CreateButton(s.window, kButtonX, 170, kButtonWidth, kButtonHeight, "Cancel Installation");
    ops.SetCancelButton(s.window, s.cancel);
    ops.SetKeepOpen(s.window, true);
}

}  // namespace

void SetTargetText(InstallState& state, const char* root) {
    const char* folderA = UnscrambleText(Texts::DefaultFolderA);
    const char* folderB = UnscrambleText(Texts::DefaultFolderB);
    std::snprintf(state.targetText, sizeof state.targetText, UnscrambleText(Texts::PathFormat), root, folderA, folderB);
}

int ChooseInstallDirectory(InstallState& state) {
    Screen s = {state, state.toolkit->Core()};
    Build(s);
    Draw(s);
    s.core.Window.SetFocus(s.proceed);
    s.core.Window.Show(s.window, SW_SHOW);
    CButtonOps& buttons = s.core.Button;
    // Pressed flags first, then the wait: a press while the worker was busy
    // raised its event to nobody.
    for (;;) {
        if (buttons.Clicked(s.cancel)) {
            s.core.Window.Hide(s.window);
            return 1;
        }
        if (buttons.Clicked(s.proceed)) {
            s.core.Window.Hide(s.window);
            return 0;
        }
        // A wait that cannot wait (its window gone) would make this loop
        // spin for good.
        if (!buttons.Clicked(s.change)) {
            if (!s.core.WaitEvents(s.window, "AnyButton", 0))
                ReportFatal(s.state.installerWindow, UnscrambleText(Texts::WindowFailure));
            continue;
        }
        const char* picked = Browse(s);
        if (!picked[0])
            continue;
        SetTargetText(state, picked);
        for (int slot : {kFolderChosenRoot, kFolderInstallRoot})
            std::snprintf(state.folders[slot], kFolderPathSize, "%s", picked);
        Draw(s);
    }
}
