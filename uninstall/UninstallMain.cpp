// The uninstaller: started from the product folder it hands over to a
// private copy of itself and ends; the copy asks, removes what the install
// record lists, reports what stayed and leaves nothing of itself behind.
#include "app/LibrarySearch.h"
#include "app/ScreenMetrics.h"
#include "app/WorkerApp.h"
#include "uninstall/PrivateCopy.h"
#include "uninstall/UninstallScreens.h"

namespace {

// Hidden until its question is built.
constexpr const char* kWindowOptions = "nosizing hide";

UninstallJob g_stJob;

// The record lies beside the original uninstaller, in the product folder.
UninstallJob ReadJob(const std::string& original) {
    UninstallJob job;
    job.recordPath = DirectoryOf(original) + "\\" + kInstallRecordName;
    job.recordFound = ReadInstallRecordFile(job.recordPath, job.reading);
    const bool usable = job.recordFound && job.reading.problem == RecordProblem::None;
    job.title = usable && !job.reading.record.product.empty() ? job.reading.record.product + " Uninstall" : "Uninstall";
    if (usable && job.reading.record.product.empty())
        job.reading.record.product = "The product";
    return job;
}

int Work(CCorvane& toolkit) {
    return RunUninstallScreens(toolkit, g_stJob);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    const std::string self = ModulePath();
    CopyCommand command;
    const bool isCopy = ParseCopyCommandLine(GetCommandLineA(), command);
    // Without a private copy the uninstaller runs where it is; its own file
    // is then reported as left in use.
    if (!isCopy && StartPrivateCopy(self))
        return 0;
    if (isCopy)
        WaitForOriginal(command);
    g_stJob = ReadJob(isCopy ? command.original : self);
    const POINT origin = CentredOrigin(kUninstallWidth, kUninstallHeight);
    CWorkerApp app(g_stJob.title.c_str(), origin.x, origin.y, kUninstallWidth, kUninstallHeight, Work, kWindowOptions);
    const int result = app.RunWorker(instance);
    if (isCopy)
        RemovePrivateCopyAfterExit(self);
    return result;
}
