#include "install/RegisterAndFinish.h"

#include "install/InstallerEnd.h"

void RegisterAndFinish(InstallState& state) {
    CCorvaneCore& core = state.toolkit->Core();
    const int window = state.progressWindow.Handle();
    // Without its callback the close request really closes the window.
    core.Window.SetCloseCallback(window, nullptr, nullptr);
    core.Window.Close(window);
    EndInstaller();
}
