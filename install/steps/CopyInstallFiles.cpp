#include "install/steps/CopyInstallFiles.h"

#include <io.h>

#include <cstdio>
#include <new>
#include <string>

#include "InstallerTexts.h"
#include "install/portable/ChunkedWrite.h"
#include "install/portable/CopyPlan.h"
#include "install/portable/Unscramble.h"
#include "install/screens/CopyProgress.h"
#include "install/steps/InstallerEnd.h"
#include "pgr/ExtractEntry.h"

namespace {

constexpr size_t kDataBufferSize = 1048576;
constexpr size_t kStoredPiece = 12288;
constexpr DWORD kModulePathSize = 1000;

CopyKeyNames KeyNames() {
    return {UnscrambleText(Texts::DataFileKey),         UnscrambleText(Texts::GroupListKey),
            UnscrambleText(Texts::SubdirectoryListKey), UnscrambleText(Texts::CompanyKey),
            UnscrambleText(Texts::ProductKey),          UnscrambleText(Texts::EntryField),
            UnscrambleText(Texts::TargetField),         UnscrambleText(Texts::FlagField),
            UnscrambleText(Texts::MainProgramGroup),    UnscrambleText(Texts::SystemGroup)};
}

InstallFolders SlotFolders(const InstallState& state) {
    return {state.folders[kFolderStartMenu],
            state.folders[kFolderInstallRoot],
            state.folders[kFolderSystem],
            state.folders[kFolderLocalAppData],
            {},
            {},
            state.folders[kFolderDesktop]};
}

std::string InstallerDirectory() {
    char path[kModulePathSize] = {};
    GetModuleFileNameA(nullptr, path, kModulePathSize - 1);
    std::string directory = path;
    const size_t slash = directory.find_last_of('\\');
    return slash == std::string::npos ? directory : directory.substr(0, slash);
}

// Whatever ends the copy, the earlier installation's files are back in
// place before the user reads why.
[[noreturn]] void FailCopy(InstallState& state, const char* text) {
    state.createdFiles.RestoreReplaced();
    ReportFatal(state.installerWindow, text);
}

[[noreturn]] void Fatal(InstallState& state, const char* leadIn, const std::string& subject,
                        const char* tail = nullptr) {
    const std::string text = std::string(UnscrambleText(leadIn)) + subject + (tail ? UnscrambleText(tail) : "");
    FailCopy(state, text.c_str());
}

void ReportPlanProblem(InstallState& state, const CopyPlanResult& result) {
    switch (result.problem) {
    case CopyPlanProblem::None:
        return;
    case CopyPlanProblem::PathTooLong:
        Fatal(state, Texts::PathTooLongLeadIn, result.subject, Texts::PathTooLongTail);
    case CopyPlanProblem::UnknownGroup:
        Fatal(state, Texts::UnknownGroup, result.subject);
    case CopyPlanProblem::MissingEntry:
        Fatal(state, Texts::MissingEntry, result.subject);
    case CopyPlanProblem::ShortcutTooLong:
        Fatal(state, Texts::PathTooLongLeadIn, result.subject, Texts::ShortcutTooLongTail);
    case CopyPlanProblem::NoFolderName:
        Fatal(state, Texts::NoFolderName, result.subject);
    }
}

// Only the directories made here are the installation's: one already there
// stays when the product is removed.
void CreateDirectories(InstallState& state, const CopyPlan& plan) {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    for (const std::string& directory : plan.directories) {
        if (CreateDirectoryA(directory.c_str(), &attributes))
            state.record.Add(RecordKind::Directory, directory);
        else if (GetLastError() != ERROR_ALREADY_EXISTS)
            Fatal(state, Texts::DirectoryLeadIn, directory, Texts::DirectoryTail);
    }
}

// Opens a data file or reports it missing.
FILE* OpenDataFile(InstallState& state, const DataFileCopy& file, const char* message) {
    FILE* in = fopen(file.source.c_str(), "rb");
    if (!in)
        FailCopy(state, message);
    return in;
}

// Every step of the copy is journalled first, so that the next start can
// undo a run that was killed.
void BeginJournal(InstallState& state) {
    if (!state.createdFiles.Begin(state.journalPath))
        Fatal(state, Texts::JournalLeadIn, state.journalPath, Texts::JournalTail);
}

// The earlier file at path is set aside and path recorded before it is opened,
// so that a cancel can put everything back.
FILE* OpenDestination(InstallState& state, const std::string& path) {
    if (!state.createdFiles.Record(path))
        Fatal(state, Texts::SetAsideLeadIn, path, Texts::SetAsideTail);
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        Fatal(state, Texts::DestinationLeadIn, path, Texts::DestinationTail);
    return out;
}

class Copier {
  public:
    Copier(InstallState& state, const CopyPlan& plan) : m_stState(state), m_stPlan(plan) {}

    void Run() {
        m_nTotal = StoredTotal(m_stPlan) + DataFilesTotal();
        CopyDataFiles();
        if (Aborted() || UpdateCopyProgress(m_stState, m_nDone, m_nTotal))
            return;
        for (const EntryCopy& entry : m_stPlan.entries)
            if (!CopyEntry(entry))
                return;
    }

  private:
    bool Aborted() const { return m_stState.aborted == 1; }

    bool AfterPiece(size_t bytes) {
        m_nDone += static_cast<int64_t>(bytes);
        return UpdateCopyProgress(m_stState, m_nDone, m_nTotal);
    }

    int64_t DataFilesTotal() {
        int64_t total = 0;
        for (const DataFileCopy& file : m_stPlan.dataFiles) {
            FILE* in =
                OpenDataFile(m_stState, file, "Could not open installation Data files.  Please retry installation");
            m_nDataLengths.push_back(_filelengthi64(_fileno(in)));
            fclose(in);
            total += m_nDataLengths.back();
        }
        return total;
    }

    void CopyDataFiles() {
        if (m_stPlan.dataFiles.empty())
            return;
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kDataBufferSize]);
        if (!buffer)
            FailCopy(m_stState,
                     "Could not allocate memory.  Please close all open "
                     "applications and try installation again.");
        for (size_t i = 0; i < m_stPlan.dataFiles.size() && !Aborted(); ++i)
            CopyDataFile(m_stPlan.dataFiles[i], m_nDataLengths[i], buffer.get());
    }

    void CopyDataFile(const DataFileCopy& file, int64_t length, uint8_t* buffer) {
        const char* kBadDisk = "File Corruption Error -- Installation disk seems bad.  Please retry";
        FILE* in = OpenDataFile(m_stState, file, kBadDisk);
        FILE* out = OpenDestination(m_stState, file.destination);
        const ChunkOutcome outcome = CopyInChunks(in, out, static_cast<uint64_t>(length), buffer, kDataBufferSize,
                                                  [this](size_t bytes) { return AfterPiece(bytes); });
        fclose(in);
        const bool closed = CloseWritten(out);
        if (outcome == ChunkOutcome::ShortRead)
            FailCopy(m_stState, kBadDisk);
        if (outcome == ChunkOutcome::ShortWrite || (!closed && !Aborted()))
            FailCopy(m_stState,
                     "Could not write to data files.  Please free disk "
                     "space and try again.");
    }

    // False once the user has confirmed a cancel.
    // The entry is extracted before its destination is touched: a damaged
    // entry then leaves the earlier file as it was.
    bool CopyEntry(const EntryCopy& entry) {
        const ExtractedEntry file = ExtractEntry(*m_stState.archive, entry.entry.c_str());
        if (file.status == ExtractStatus::NoMemory)
            Fatal(m_stState, Texts::EntryMemory, "");
        if (file.status != ExtractStatus::Extracted)
            Fatal(m_stState, Texts::EntryCorrupt, "");
        FILE* out = OpenDestination(m_stState, entry.destination);
        // A compressed entry goes out in one write, a stored one in pieces,
        // so that Cancel is looked at every few kilobytes.
        const size_t piece = file.compressed ? file.length : kStoredPiece;
        const ChunkOutcome outcome =
            WriteInChunks(out, file.data.get(), file.length, piece, [this](size_t bytes) { return AfterPiece(bytes); });
        const bool closed = CloseWritten(out);
        if (outcome == ChunkOutcome::ShortWrite || (!closed && !Aborted()))
            Fatal(m_stState, Texts::EntryWriteLeadIn, entry.destination);
        if (Aborted())
            return false;
        if (entry.mainProgram)
            MarkMainProgram(entry);
        return true;
    }

    void MarkMainProgram(const EntryCopy& entry) {
        std::string* names = m_stState.names;
        names[kNameMainProgramPath] = entry.destination;
        names[kNameMainProgramCompany] = names[kNameCompany];
        names[kNameMainProgramProduct] = names[kNameProduct];
        m_stState.mainProgramName = entry.target;
    }

    InstallState& m_stState;
    const CopyPlan& m_stPlan;
    std::vector<int64_t> m_nDataLengths;
    int64_t m_nTotal = 0;
    int64_t m_nDone = 0;
};

}  // namespace

void CopyInstallFiles(InstallState& state) {
    const CopyPlanResult result = ReadCopyPlan(*state.archive, KeyNames(), SlotFolders(state), InstallerDirectory());
    ReportPlanProblem(state, result);
    const CopyPlan& plan = result.plan;
    state.names[kNameCompany] = plan.folders.company;
    state.names[kNameProduct] = plan.folders.product;
    state.subdirectories = plan.subdirectories;
    CreateDirectories(state, plan);
    BeginJournal(state);
    Copier(state, plan).Run();
}
