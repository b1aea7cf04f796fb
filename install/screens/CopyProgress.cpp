#include "install/screens/CopyProgress.h"

#include "InstallerTexts.h"
#include "app/ScreenLook.h"
#include "app/ScreenMetrics.h"
#include "install/portable/CopyRules.h"
#include "install/portable/Unscramble.h"
#include "install/steps/InstallerEnd.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 150;
constexpr int kTextY = 20;
constexpr int kButtonX = 110;
constexpr int kButtonY = 55;
constexpr int kBarX = 4;
constexpr int kBarFromBottom = 32;
constexpr int kBarHeight = 20;
constexpr COLORREF kBarColour = RGB(128, 128, 255);
constexpr const char* kCopying = "Copying Files... Please Wait.";

// The window must not close under the copy, and nothing is to be done when
// the user tries.
void IgnoreClose(void*, int) {}

bool ConfirmCancel(InstallState& state) {
    const int answer = state.progressWindow.MessageBox("Would you like to cancel installation", "Tidewell Installation",
                                                       MB_YESNO | MB_ICONEXCLAMATION);
    state.aborted = answer == IDYES ? 1 : 0;
    return state.aborted == 1;
}

}  // namespace

void ShowCopyProgress(InstallState& state) {
    CCorvaneCore& core = state.toolkit->Core();
    const SIZE installer = ClientSize(core, state.installerWindow.Handle());
    core.Window.Hide(state.installerWindow.Handle());
    state.progressWindow = RequireWindow(
        state.installerWindow, state.installerWindow.CreateWindow(
                                   (installer.cx - kWidth) / 2, (installer.cy - kHeight) / 2, kWidth, kHeight,
                                   UnscrambleText(Texts::CommonTitle),
                                   HiddenUntilBuilt(UnscrambleText(Texts::ProgressWindowOptions)).c_str()));
    const int window = state.progressWindow.Handle();
    core.Window.SetCloseCallback(window, IgnoreClose, &state);
    state.progressWindow.Cls();
    state.progressWindow.DontUpdate();
    state.progressWindow.SetFont("Arial,15,bold");
    state.progressWindow.GotoXY((ClientSize(core, window).cx - TextWidth(core, window, kCopying)) / 2, kTextY);
    state.cancelButton = CCorButton(core.Window.CreateButton(window, kButtonX, kButtonY, -1, -1, "  Cancel  "));
    state.progressWindow.Write(kCopying);
    state.progressClient = ClientSize(core, window);
    state.progressBarWidth = 0;
    core.Window.SetCancelButton(window, state.cancelButton.Handle());
    core.Window.SetFocus(state.cancelButton.Handle());
    state.progressWindow.Update();
    core.Window.Show(window, SW_SHOW);
}

bool UpdateCopyProgress(InstallState& state, int64_t done, int64_t total) {
    const SIZE client = state.progressClient;
    const int width = ProgressBarWidth(done, total, client.cx);
    // The bar only grows; redrawing it unchanged for every piece would cost
    // more than writing the piece.
    if (width != state.progressBarWidth) {
        state.progressWindow.Rectangle(kBarX, client.cy - kBarFromBottom, width, kBarHeight, kBarColour);
        state.progressWindow.Update();
        state.progressBarWidth = width;
    }
    return state.cancelButton.Clicked() && ConfirmCancel(state);
}
