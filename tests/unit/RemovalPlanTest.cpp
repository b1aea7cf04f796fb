#include <gtest/gtest.h>

#include "uninstall/RemovalPlan.h"

namespace {

std::vector<std::string> Paths(const std::vector<RecordItem>& items) {
    std::vector<std::string> paths;
    for (const RecordItem& item : items)
        paths.push_back(item.path);
    return paths;
}

// As an installation records them: directories before what is made in
// them, the keys and links at the end.
TEST(RemovalPlan, LinksFilesKeysThenDirectoriesDeepestFirst) {
    InstallRecord record;
    record.Add(RecordKind::Directory, "C:\\P\\Orvalis");
    record.Add(RecordKind::Directory, "C:\\P\\Orvalis\\Editor");
    record.Add(RecordKind::Directory, "C:\\P\\Orvalis\\Editor\\Samples");
    record.Add(RecordKind::File, "C:\\P\\Orvalis\\Editor\\Orvalis.exe");
    record.Add(RecordKind::File, "C:\\P\\Orvalis\\Editor\\Samples\\a.txt");
    record.Add(RecordKind::EmptyKey, "Software\\Orvalis", "HKCU");
    record.Add(RecordKind::Key, "Software\\Orvalis\\Editor", "HKCU");
    record.Add(RecordKind::Link, "C:\\D\\Orvalis.lnk");
    const std::vector<std::string> expected = {
        "C:\\D\\Orvalis.lnk",          "C:\\P\\Orvalis\\Editor\\Orvalis.exe", "C:\\P\\Orvalis\\Editor\\Samples\\a.txt",
        "Software\\Orvalis\\Editor",   "Software\\Orvalis",                   "C:\\P\\Orvalis\\Editor\\Samples",
        "C:\\P\\Orvalis\\Editor",      "C:\\P\\Orvalis",
    };
    EXPECT_EQ(Paths(RemovalOrder(record)), expected);
}

TEST(RemovalPlan, LeftoverLinesNameTheItemAndTheReason) {
    const RecordItem file{RecordKind::File, "", "C:\\P\\readme.txt"};
    const RecordItem key{RecordKind::Key, "HKCU", "Software\\Orvalis\\Editor"};
    const RecordItem directory{RecordKind::Directory, "", "C:\\P\\Editor"};
    struct Case {
        Leftover leftover;
        const char* line;
    } cases[] = {
        {{file, RemovalOutcome::InUse, {}}, "Could not remove C:\\P\\readme.txt: it is in use by another program"},
        {{file, RemovalOutcome::ReadOnly, {}}, "Could not remove C:\\P\\readme.txt: it is read-only"},
        {{file, RemovalOutcome::Refused, {}}, "Could not remove C:\\P\\readme.txt: you are not allowed to remove it"},
        {{key, RemovalOutcome::Failed, {}}, "Could not remove HKCU\\Software\\Orvalis\\Editor: the system refused"},
        {{directory, RemovalOutcome::NotEmpty, {"notes.txt", "old"}},
         "Kept C:\\P\\Editor, which holds files that were not installed: notes.txt, old"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LeftoverLine(c.leftover), c.line);
}

TEST(RemovalPlan, FinalReportListsOnlyWhatTellsTheUserSomething) {
    const RecordItem directory{RecordKind::Directory, "", "C:\\P\\Editor"};
    const RecordItem file{RecordKind::File, "", "C:\\P\\Editor\\readme.txt"};
    const RecordItem companyKey{RecordKind::EmptyKey, "HKCU", "Software\\Orvalis"};
    EXPECT_EQ(FinalReport("Orvalis Image Editor", {}), "Orvalis Image Editor has been removed from this computer.");
    // A directory kept for a file that could not go, and a company key kept
    // for another product's keys, add nothing to the file's own line.
    EXPECT_EQ(FinalReport("Orvalis Image Editor", {{companyKey, RemovalOutcome::NotEmpty, {}}}),
              "Orvalis Image Editor has been removed from this computer.");
    EXPECT_EQ(FinalReport("Orvalis Image Editor", {{file, RemovalOutcome::InUse, {}},
                                                   {directory, RemovalOutcome::NotEmpty, {}}}),
              "Orvalis Image Editor has been removed from this computer, except for what is listed here:\n"
              "Could not remove C:\\P\\Editor\\readme.txt: it is in use by another program");
    EXPECT_EQ(FinalReport("Orvalis Image Editor", {{directory, RemovalOutcome::NotEmpty, {"mine.txt"}}}),
              "Orvalis Image Editor has been removed from this computer, except for what is listed here:\n"
              "Kept C:\\P\\Editor, which holds files that were not installed: mine.txt");
}

}  // namespace
