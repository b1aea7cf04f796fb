#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "install/portable/CopyJournal.h"
#include "tests/unit/TestJournalDisk.h"

namespace {

TEST(CopyJournalText, CutJournalsHoldOnlyTheirWholeLines) {
    const std::string heading = "Orvalis copy journal 1\r\n";
    const struct {
        const char* what;
        std::string text;
        std::vector<JournalEntry> entries;
        bool committed;
    } cases[] = {
        {"empty", "", {}, false},
        {"heading cut", "Orvalis copy jou", {}, false},
        {"heading only", heading, {}, false},
        {"not a journal", "Something else\r\ncreate\tC:\\a\r\n", {}, false},
        {"step cut", heading + "replace\tC:\\a\tC:\\~orv", {}, false},
        {"step without its line end", heading + "create\tC:\\a", {}, false},
        {"steps",
         heading + "create\tC:\\a\r\nreplace\tC:\\b\tC:\\~orv1.tmp\r\n",
         {{"C:\\a", ""}, {"C:\\b", "C:\\~orv1.tmp"}},
         false},
        {"commit cut", heading + "create\tC:\\a\r\ncomm", {{"C:\\a", ""}}, false},
        {"committed", heading + "create\tC:\\a\r\ncommit\r\n", {{"C:\\a", ""}}, true},
        {"a step with fields missing", heading + "replace\tC:\\b\r\n", {}, false},
    };
    for (const auto& c : cases) {
        const JournalReading reading = ParseJournal(c.text);
        EXPECT_EQ(reading.entries, c.entries) << c.what;
        EXPECT_EQ(reading.committed, c.committed) << c.what;
    }
}

// An earlier installation of two files, a third file new to this run, and
// the journal beside them, in a folder of their own.
class KilledCopy : public ::testing::Test {
  protected:
    // A folder of its own: whatever is left in it shows, set-aside copies too.
    static std::filesystem::path Folder() { return std::filesystem::path(::testing::TempDir()) / "killed-copy"; }
    static std::string Path(const std::string& name) { return (Folder() / name).string(); }

    void SetUp() override {
        Clean();
        CTestJournalDisk disk;
        for (const auto& [name, text] : Earlier())
            disk.WriteFile(Path(name), text);
    }
    void TearDown() override { std::filesystem::remove_all(Folder()); }

    static std::map<std::string, std::string> Earlier() { return {{"a", "earlier a"}, {"b", "earlier b"}}; }
    static std::map<std::string, std::string> Installed() {
        return {{"a", "installed a"}, {"b", "installed b"}, {"c", "installed c"}};
    }

    // The whole copy, killed at the disk's chosen change; true when it
    // finished.
    bool Copy(int changesBeforeKill) {
        CTestJournalDisk disk(changesBeforeKill);
        CopyJournal journal(disk);
        try {
            if (!journal.Begin(Path("journal")))
                return false;
            for (const char* name : {"a", "c", "b", "a"}) {  // a written twice
                EXPECT_TRUE(journal.Record(Path(name)));
                disk.WriteFile(Path(name), Installed()[name]);
            }
            journal.Commit();
            m_nCopyChanges = disk.Changes();
            return true;
        } catch (Killed) {
            return false;
        }
    }

    // Undoes what the journal tells of, itself killed at the chosen change.
    void Recover(int changesBeforeKill = -1) {
        CTestJournalDisk disk(changesBeforeKill);
        try {
            RecoverInterruptedCopy(disk, Path("journal"));
        } catch (Killed) {
        }
    }

    static std::map<std::string, std::string> Files() {
        CTestJournalDisk disk;
        std::map<std::string, std::string> files;
        for (const auto& file : std::filesystem::directory_iterator(Folder()))
            disk.ReadJournal(file.path().string(), files[file.path().filename().string()]);
        return files;
    }

    static void Clean() {
        std::filesystem::remove_all(Folder());
        std::filesystem::create_directories(Folder());
    }

    int m_nCopyChanges = 0;
};

// Wherever the kill lands, the next start leaves either the earlier
// installation, byte for byte, or, once the journal says the copy was
// complete, the new one: never a mixture, never a set-aside copy.
TEST_F(KilledCopy, NextStartRestoresTheEarlierFilesOrFinishesTheCommit) {
    ASSERT_TRUE(Copy(-1));
    const int changes = m_nCopyChanges;
    ASSERT_GT(changes, 20);
    EXPECT_EQ(Files(), Installed());
    for (int kill = 0; kill < changes; ++kill) {
        SetUp();
        const bool finished = Copy(kill);
        ASSERT_FALSE(finished) << kill;
        const bool committed = ParseJournal([&] {
                                   std::string text;
                                   CTestJournalDisk().ReadJournal(Path("journal"), text);
                                   return text;
                               }())
                                   .committed;
        Recover();
        EXPECT_EQ(Files(), committed ? Installed() : Earlier()) << "killed at change " << kill;
    }
}

// The next start can itself be killed while it undoes: the start after it
// finishes the work.
TEST_F(KilledCopy, UndoingIsSafeToRepeatAfterAKill) {
    ASSERT_TRUE(Copy(-1));
    const int changes = m_nCopyChanges;
    for (int kill = 0; kill < changes; kill += 3) {
        for (int recoveryKill = 0; recoveryKill < 6; ++recoveryKill) {
            SetUp();
            Copy(kill);
            const std::map<std::string, std::string> expected = [&] {
                std::string text;
                CTestJournalDisk().ReadJournal(Path("journal"), text);
                return ParseJournal(text).committed ? Installed() : Earlier();
            }();
            Recover(recoveryKill);
            Recover();
            EXPECT_EQ(Files(), expected) << "killed at change " << kill << ", then at " << recoveryKill;
        }
    }
}

TEST_F(KilledCopy, NoJournalNothingToDo) {
    Recover();
    EXPECT_EQ(Files(), Earlier());
    CTestJournalDisk disk;
    EXPECT_FALSE(RecoverInterruptedCopy(disk, Path("journal")).found);
}

// A fatal error puts back what this run replaced and leaves what it newly
// made; the journal goes.
TEST_F(KilledCopy, AFailurePutsBackWhatWasReplaced) {
    CTestJournalDisk disk;
    CopyJournal journal(disk);
    ASSERT_TRUE(journal.Begin(Path("journal")));
    for (const char* name : {"a", "c", "b"}) {
        ASSERT_TRUE(journal.Record(Path(name)));
        disk.WriteFile(Path(name), Installed()[name]);
    }
    journal.RestoreReplaced();
    std::map<std::string, std::string> expected = Earlier();
    expected["c"] = "installed c";
    EXPECT_EQ(Files(), expected);
}

}  // namespace
