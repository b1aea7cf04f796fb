#include "install/steps/InstallRecordFile.h"

#include <cstdio>

#include "InstallerTexts.h"
#include "install/portable/FinishPaths.h"
#include "install/portable/Unscramble.h"

namespace {

std::string RecordPath(const InstallState& state) {
    return ProductFilePath(state.folders[kFolderChosenRoot], state.names[kNameCompany], state.names[kNameProduct],
                           kInstallRecordName);
}

InstallRecord EarlierRecord(const std::string& path) {
    RecordReading reading;
    ReadInstallRecordFile(path, reading);
    return reading.record;
}

// Written beside it first, so that a failure halfway never leaves a cut
// record in its place.
bool ReplaceFile(const std::string& path, const std::string& text) {
    const std::string fresh = path + ".new";
    FILE* out = std::fopen(fresh.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written ||
        !MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        std::remove(fresh.c_str());
        return false;
    }
    return true;
}

}  // namespace

void RecordInstalledFiles(InstallState& state) {
    for (size_t i = 0; i < state.createdFiles.Count(); ++i)
        state.record.Add(RecordKind::File, state.createdFiles.Path(i));
    state.record.Merge(EarlierRecord(RecordPath(state)));
}

void WriteInstallRecord(InstallState& state) {
    const std::string path = RecordPath(state);
    if (!state.recordWritable || ReplaceFile(path, FormatInstallRecord(state.record)))
        return;
    state.recordWritable = false;
    const std::string text = UnscrambleText(Texts::RecordLeadIn) + path + UnscrambleText(Texts::RecordTail);
    state.installerWindow.MessageBox(text.c_str(), UnscrambleText(Texts::CommonTitle), MB_ICONERROR);
}
