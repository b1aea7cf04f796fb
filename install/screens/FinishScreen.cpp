#include "install/screens/FinishScreen.h"

#include <shellapi.h>

#include "InstallerTexts.h"
#include "app/ScreenLook.h"
#include "app/ScreenMetrics.h"
#include "install/portable/ArchiveKeys.h"
#include "install/portable/CopyRules.h"
#include "install/portable/Unscramble.h"
#include "install/screens/ArchiveImage.h"
#include "install/steps/InstallRecordFile.h"
#include "install/steps/InstallerEnd.h"
#include "install/steps/Shortcuts.h"

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 360;
constexpr int kPlacementHeight = 480;
constexpr int kSaleBannerBand = 55;
constexpr int kTextX = 10;
constexpr int kTextY = 100;
constexpr int kCheckBoxY = 175;
constexpr int kCheckBoxHeight = 25;
constexpr int kCheckBoxGap = 2;
constexpr int kCheckBoxCentreWidth = 640;
constexpr int kCheckBoxShift = 7;
constexpr int kCaptionMargin = -1;
constexpr int kButtonX = 243;
constexpr int kButtonGap = 25;
constexpr int kButtonWidth = 200;

// The button is the only way out.
void IgnoreClose(void*, int) {}

struct FinishChoices {
    CCorButton desktopCopy;
    CCorButton startMenuCopy;
    CCorButton launch;
    CCorButton finish;
};

CCorWindow OpenWindow(InstallState& state, int bannerBand) {
    CCorvaneCore& core = state.toolkit->Core();
    const SIZE installer = ClientSize(core, state.installerWindow.Handle());
    CCorWindow window = RequireWindow(
        state.installerWindow,
        state.installerWindow.CreateWindow((installer.cx - kWidth) / 2, (installer.cy - kPlacementHeight) / 2, kWidth,
                                           kHeight + bannerBand, UnscrambleText(Texts::CommonTitle),
                                           HiddenUntilBuilt(UnscrambleText(Texts::ProgressWindowOptions)).c_str()));
    core.Window.SetCloseCallback(window.Handle(), IgnoreClose, &state);
    core.Window.SetKeepOpen(window.Handle(), true);
    return window;
}

void DrawPictures(InstallState& state, int window, int bannerBand) {
    DrawArchiveImage(state, window, 0, 0, UnscrambleText(Texts::BannerEntry));
    if (bannerBand == kSaleBannerBand)
        DrawArchiveImage(state, window, 0, ClientSize(state.toolkit->Core(), window).cy - kSaleBannerBand,
                         ArchiveKeys::kSaleBannerEntry);
}

int BelowLastControl(CCorvaneCore& core, int gap) {
    return core.LastControlPlaced().bottom + gap;
}

CCorButton AddCheckBox(CCorvaneCore& core, int window, int x, int y, const char* caption) {
    return CCorButton(core.Window.CreateButton(window, x, y, kCaptionMargin, kCheckBoxHeight, caption, "checkbox"));
}

// One left edge for all three, from the last caption alone, so the boxes
// line up whatever the other captions' widths.
FinishChoices MakeControls(CCorvaneCore& core, const CCorWindow& window) {
    const int w = window.Handle();
    const HFONT mainFont = window.SetFont(kMainFont);
    const int x =
        (kCheckBoxCentreWidth - TextWidth(core, w, UnscrambleText(Texts::FinishLaunchCaption))) / 2 - kCheckBoxShift;
    FinishChoices choices;
    choices.desktopCopy = AddCheckBox(core, w, x, kCheckBoxY, UnscrambleText(Texts::FinishDesktopCaption));
    choices.startMenuCopy =
        AddCheckBox(core, w, x, BelowLastControl(core, kCheckBoxGap), UnscrambleText(Texts::FinishStartMenuCaption));
    if (CorItem* item = core.FindItem(choices.startMenuCopy.Handle()))
        SendMessageA(item->window, WM_SETFONT, reinterpret_cast<WPARAM>(mainFont), TRUE);
    choices.launch =
        AddCheckBox(core, w, x, BelowLastControl(core, kCheckBoxGap), UnscrambleText(Texts::FinishLaunchCaption));
    choices.finish = CCorButton(core.Window.CreateButton(w, kButtonX, BelowLastControl(core, kButtonGap), kButtonWidth,
                                                         0, UnscrambleText(Texts::FinishButton)));
    core.Button.SetCheck(choices.launch.Handle(), true);
    core.Button.SetCheck(choices.startMenuCopy.Handle(), false);
    core.Button.SetCheck(choices.desktopCopy.Handle(), true);
    return choices;
}

void BuildScreen(InstallState& state, const CCorWindow& window, int bannerBand, FinishChoices& choices) {
    CCorvaneCore& core = state.toolkit->Core();
    PaintDialogFace(core, window.Handle());
    window.DontUpdate();
    window.GotoXY(kTextX, kTextY);
    window.Write(UnscrambleText(Texts::FinishText));
    DrawPictures(state, window.Handle(), bannerBand);
    choices = MakeControls(core, window);
    window.SetFont(kMainFont);
    window.Update();
    core.Window.SetFocus(choices.finish.Handle());
    core.Window.Show(window.Handle(), SW_SHOW);
}

void WaitForFinish(CCorvaneCore& core, const CCorWindow& window, const CCorButton& finish) {
    const char* events = UnscrambleText(Texts::FinishEvents);
    while (!finish.Clicked())
        core.WaitEvents(window.Handle(), events, 0);
}

// The program just installed, by its full path: a bare name would let the
// search order, from an administrator's process, find another program of
// that name first. It runs in the product's directory, where it finds its
// own files.
void LaunchProgram(const InstallState& state, const CCorWindow& window) {
    if (state.mainProgramName.empty())
        return;
    const std::string directory =
        JoinPath({state.folders[kFolderChosenRoot], state.names[kNameCompany], state.names[kNameProduct]});
    ShellExecuteA(window.Hwnd(), nullptr, state.names[kNameMainProgramPath].c_str(), nullptr, directory.c_str(),
                  SW_SHOWNORMAL);
}

}  // namespace

void ShowFinishScreen(InstallState& state) {
    CCorvaneCore& core = state.toolkit->Core();
    const int bannerBand = state.archive->GetKey(ArchiveKeys::kSaleBanner) ? kSaleBannerBand : 0;
    const CCorWindow window = OpenWindow(state, bannerBand);
    FinishChoices choices;
    BuildScreen(state, window, bannerBand, choices);
    WaitForFinish(core, window, choices.finish);
    core.Window.Hide(window.Handle());
    CreateShortcuts(state, core.Button.GetCheck(choices.startMenuCopy.Handle()) != 0,
                    core.Button.GetCheck(choices.desktopCopy.Handle()) != 0);
    WriteInstallRecord(state);
    if (core.Button.GetCheck(choices.launch.Handle()))
        LaunchProgram(state, window);
    EndInstaller();
}
