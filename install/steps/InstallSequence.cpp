#include "install/steps/InstallSequence.h"

#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>

#include "InstallerTexts.h"
#include "install/portable/ArchiveKeys.h"
#include "install/portable/CopyPlan.h"
#include "install/portable/FreeSpaceRule.h"
#include "install/portable/Unscramble.h"
#include "install/screens/CopyProgress.h"
#include "install/screens/DirectoryScreen.h"
#include "install/screens/WelcomeScreen.h"
#include "install/steps/CopyInstallFiles.h"
#include "install/steps/InstallRecordFile.h"
#include "install/steps/InstallerEnd.h"
#include "install/steps/RegisterAndFinish.h"
#include "install/steps/SystemChecks.h"
#include "pgr/ImageDrawing.h"
#include "pgr/Payload.h"
#include "pgr/PgrTransforms.h"

namespace {

// Slot order as the sequence fills them.
const struct {
    FolderSlot slot;
    int folder;
} kSpecialFolders[] = {
    {kFolderChosenRoot, CSIDL_PROGRAM_FILES},   {kFolderStartMenu, CSIDL_COMMON_PROGRAMS},
    {kFolderInstallRoot, CSIDL_PROGRAM_FILES},  {kFolderSystem, CSIDL_SYSTEM},
    {kFolderLocalAppData, CSIDL_LOCAL_APPDATA}, {kFolderDesktop, CSIDL_COMMON_DESKTOPDIRECTORY},
};

void OpenArchive(InstallState& state) {
    state.display = CurrentDisplayInfo();
    if (!CheckPayloadContiguous()) {
        MessageBoxA(nullptr, UnscrambleText(Texts::InstallDataNotContiguous),
                    UnscrambleText(Texts::InstallDataCorruptionTitle), MB_ICONERROR);
        EndInstaller();
    }
    const uint8_t* start = nullptr;
    uint32_t length = 0;
    FindPayload(&start, &length);
    state.archive = std::make_unique<CMemPGR>(start, length, state.display);
    if (state.archive->ReadFile() != kPgrOk) {
        state.installerWindow.MessageBox(UnscrambleText(Texts::ArchiveError), UnscrambleText(Texts::CommonTitle),
                                         MB_ICONERROR);
        EndInstaller();
    }
    if (const char* name = state.archive->GetKey(ArchiveKeys::kMainLinkName))
        state.mainLinkName = name;
}

// The archive's value of key, copied out of the reader's shared ring.
std::string KeyValue(const InstallState& state, const char* key) {
    const char* value = state.archive->GetKey(key);
    return value ? value : "";
}

// A run that was killed while copying is undone before anything else, so
// that the user starts again from the installation that was there before.
void UndoInterruptedCopy(InstallState& state) {
    const std::string company = KeyValue(state, UnscrambleText(Texts::CompanyKey));
    const std::string product = KeyValue(state, UnscrambleText(Texts::ProductKey));
    char appData[MAX_PATH] = {};
    if (company.empty() || product.empty() || !SHGetSpecialFolderPathA(nullptr, appData, CSIDL_COMMON_APPDATA, TRUE))
        return;
    state.journalPath = CopyJournalPath(appData, company, product);
    const Recovery done = RecoverInterruptedCopy(state.journalDisk, state.journalPath);
    if (done.restored + done.removed > 0)
        state.installerWindow.MessageBox(UnscrambleText(Texts::RecoveryDone), UnscrambleText(Texts::CommonTitle),
                                         MB_ICONINFORMATION);
}

void FillSpecialFolders(InstallState& state) {
    for (const auto& f : kSpecialFolders)
        SHGetSpecialFolderPathA(nullptr, state.folders[f.slot], f.folder, FALSE);
}

std::optional<int64_t> FreeMegabytesOn(char driveLetter) {
    char root[4];
    std::snprintf(root, sizeof root, "%c:\\", driveLetter);
    ULARGE_INTEGER available = {};
    if (!GetDiskFreeSpaceExA(root, &available, nullptr, nullptr))
        return std::nullopt;
    return FreeMegabytes(available.QuadPart);
}

// Ends the installer when either drive lacks the space the archive asks for.
void CheckFreeSpace(InstallState& state) {
    const int64_t first = RequiredMegabytes(state.archive->GetKey(UnscrambleText(Texts::FreeSpaceKey)));
    const int64_t second = RequiredMegabytes(state.archive->GetKey(UnscrambleText(Texts::SecondFreeSpaceKey)));
    const std::optional<int64_t> installFree = FreeMegabytesOn(state.driveLetters[kFolderInstallRoot]);
    const std::optional<int64_t> secondFree = FreeMegabytesOn(state.driveLetters[kFolderChosenRoot]);
    if (FreeSpaceSuffices(first, installFree, second, secondFree))
        return;
    const std::string message = std::string(UnscrambleText(Texts::FreeSpaceLeadIn)) + std::to_string(first) +
                                UnscrambleText(Texts::FreeSpaceTail);
    state.installerWindow.MessageBox(message.c_str(), UnscrambleText(Texts::CommonTitle), MB_ICONWARNING);
    EndInstaller();
}

// The earlier installation's files that a program still holds are deleted
// when Windows restarts; until then the record lists them, so that an
// uninstaller does not take them for the user's own.
void CommitCopy(InstallState& state) {
    const std::vector<std::string> leftForRestart = state.createdFiles.Commit();
    if (leftForRestart.empty())
        return;
    std::string text = UnscrambleText(Texts::RestartRemovalLeadIn);
    for (const std::string& path : leftForRestart) {
        state.record.Add(RecordKind::File, path);
        text += (&path == &leftForRestart.front() ? "" : "\n") + path;
    }
    state.progressWindow.MessageBox(text.c_str(), UnscrambleText(Texts::CommonTitle), MB_ICONINFORMATION);
}

// Every file written is deleted and every file it replaced put back; the
// directories stay.
[[noreturn]] void RollBack(InstallState& state) {
    state.createdFiles.RollBack();
    state.progressWindow.MessageBox("Installation Aborted", UnscrambleText(Texts::CommonTitle), MB_ICONINFORMATION);
    EndInstaller();
}

}  // namespace

void InstallWorker(CCorvane& toolkit, CCorWindow installerWindow) {
    InitNoiseTable();
    InstallState* state = new InstallState;  // lives until the process ends
    state->toolkit = &toolkit;
    state->installerWindow = installerWindow;
    CheckWindowsVersion(installerWindow);
    RunInstallSequence(*state);
}

void RunInstallSequence(InstallState& state) {
    OpenArchive(state);
    UndoInterruptedCopy(state);
    if (!ShowWelcomeScreen(state))
        EndInstaller();
    FillSpecialFolders(state);
    SetTargetText(state, state.folders[kFolderChosenRoot]);
    state.toolkit->Core().Window.Hide(state.installerWindow.Handle());
    if (ChooseInstallDirectory(state) != 0)
        EndInstaller();
    for (int slot = 0; slot < 5; ++slot)
        state.driveLetters[slot] = state.folders[slot][0];
    CheckFreeSpace(state);
    ShowCopyProgress(state);
    CopyInstallFiles(state);
    if (state.aborted == 1)
        RollBack(state);
    RecordInstalledFiles(state);
    CommitCopy(state);
    RegisterAndFinish(state);
}
