#include "install/steps/RegisterAndFinish.h"

#include "install/screens/FinishScreen.h"
#include "install/steps/InstallRecordFile.h"
#include "install/steps/RegistryWriter.h"
#include "install/steps/Shortcuts.h"

void RegisterAndFinish(InstallState& state) {
    WriteProductRegistryValues(state);
    WriteUninstallEntry(state);
    WriteInstallRecord(state);
    CCorvaneCore& core = state.toolkit->Core();
    const int window = state.progressWindow.Handle();
    // Without its callback the close request really closes the window.
    core.Window.SetCloseCallback(window, nullptr, nullptr);
    core.Window.Close(window);
    ShowFinishScreen(state);
}
