#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "install/portable/ArchiveKeys.h"
#include "install/portable/ChunkedWrite.h"
#include "install/portable/CopyJournal.h"
#include "install/portable/CopyPlan.h"
#include "install/portable/CopyRules.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrTransforms.h"
#include "tests/unit/ArchiveFixtures.h"
#include "tests/unit/TestJournalDisk.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

TEST(CopyProgress, BarFollowsBytesDone) {
    const struct {
        int64_t done, total;
        int clientWidth;
        int64_t percent;
        int width;
    } cases[] = {
        {0, 1000, 300, 0, 0},
        {999, 1000, 300, 99, 289},
        {1000, 1000, 300, 100, 292},
        {1, 3, 300, 33, 96},                                      // both steps truncate
        {0, 0, 300, 100, 292},                                    // nothing to copy is all done
        {1500, 1000, 300, 150, 438},                              // inflated entries run past the end
        {INT64_C(6000000000), INT64_C(8000000000), 108, 75, 75},  // beyond 32 bits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CopyPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
        EXPECT_EQ(ProgressBarWidth(c.done, c.total, c.clientWidth), c.width) << c.done << "/" << c.total;
    }
}

TEST(CopyRules, MainProgramFlag) {
    const struct {
        const char* flag;
        bool main;
    } cases[] = {
        {"Y", true}, {"yes", true}, {"\x01", true}, {"N", false},
        {"", false}, {" Y", false}, {"1", false},   {nullptr, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsMainProgramFlag(c.flag), c.main) << (c.flag ? c.flag : "(none)");
}

const InstallFolders kFolders = {"C:\\Menu",     "D:\\Apps",   "C:\\Windows\\system32", "C:\\Local", "Orvalis",
                                 "Image Editor", "C:\\Desktop"};

TEST(CopyRules, GroupDestinations) {
    const std::string kMain = "PROGRAM", kSystem = "SYSTEM";
    const struct {
        const char* group;
        GroupKind kind;
        const char* destination;
    } cases[] = {
        {"PROGRAM", GroupKind::MainProgram, "D:\\Apps\\Orvalis\\Image Editor\\t.exe"},
        {"SYSTEM", GroupKind::System, "C:\\Windows\\system32\\t.exe"},
        {"APPLICATIONDATA", GroupKind::ApplicationData, "D:\\Apps\\Orvalis\\Image Editor\\t.exe"},
        {"APPLICATIONDATA1", GroupKind::ApplicationData1, "C:\\Local\\Orvalis\\t.exe"},
        {"applicationdata", GroupKind::Unknown, ""},
        {"OTHER", GroupKind::Unknown, ""},
    };
    for (const auto& c : cases) {
        const GroupKind kind = ClassifyGroup(c.group, kMain, kSystem);
        EXPECT_EQ(kind, c.kind) << c.group;
        EXPECT_EQ(GroupEntryDestination(kFolders, kind, "t.exe"), c.destination) << c.group;
    }
}

TEST(CopyRules, DirectoriesInCreationOrder) {
    const std::vector<std::string> expected = {
        "C:\\Menu\\Orvalis",
        "C:\\Menu\\Orvalis\\Image Editor",
        "D:\\Apps\\Orvalis",
        "D:\\Apps\\Orvalis\\Image Editor",
        "D:\\Apps\\Orvalis\\Image Editor\\Samples",
        "D:\\Apps\\Orvalis\\Image Editor\\Brushes",
        "C:\\Local\\Orvalis",
        "C:\\Local\\Orvalis\\Image Editor",
    };
    EXPECT_EQ(InstallDirectories(kFolders, {"Samples", "Brushes"}), expected);
    EXPECT_EQ(UpperCaseName("Samples-2b"), "SAMPLES-2B");
}

const CopyKeyNames kNames = {"DATAFILE", "GROUP",  "SUBDIR", "COMPANY", "PRODUCT",
                             "FILE",     "TARGET", "MAIN",   "PROGRAM", "SYSTEM"};

// An archive laid out like a product, built key by key.
class PlanArchive {
  public:
    explicit PlanArchive(const std::string& company = "Orvalis", const std::string& product = "Image Editor") {
        if (!company.empty())
            Key("COMPANY", company);
        if (!product.empty())
            Key("PRODUCT", product);
    }
    PlanArchive& Key(const std::string& name, const std::string& value) {
        m_builder.AddKey({name, value});
        return *this;
    }
    PlanArchive& Entry(const std::string& name, size_t size) {
        m_builder.AddEntry({name, std::vector<uint8_t>(size, 'x'), false, true});
        return *this;
    }
    PlanArchive& Record(const std::string& qualifier, const std::string& entry, const std::string& target,
                        const char* flag = nullptr) {
        Key(qualifier + ":FILE", entry);
        Key(qualifier + ":TARGET", target);
        if (flag)
            Key(qualifier + ":MAIN", flag);
        return *this;
    }

    CopyPlanResult Read(const InstallFolders& folders = kFolders) {
        InitNoiseTable();
        m_bytes = m_builder.Build();
        m_reader = std::make_unique<CMemPGR>(m_bytes.data(), static_cast<uint32_t>(m_bytes.size()), kTestDisplay);
        EXPECT_EQ(m_reader->ReadFile(), kPgrOk);
        return ReadCopyPlan(*m_reader, kNames, folders, "E:\\Setup");
    }

  private:
    PgrBuilder m_builder;
    std::vector<uint8_t> m_bytes;
    std::unique_ptr<CMemPGR> m_reader;
};

std::vector<std::string> Destinations(const CopyPlan& plan) {
    std::vector<std::string> paths;
    for (const EntryCopy& e : plan.entries)
        paths.push_back(e.entry + " > " + e.destination + (e.mainProgram ? " (main)" : ""));
    return paths;
}

TEST(CopyPlan, GroupsThenSubdirectoriesWithTheirTargets) {
    PlanArchive a;
    a.Entry("APP", 10).Entry("HELP", 20).Entry("SYS", 3).Entry("#CFG", 4).Entry("LOCAL", 5).Entry("S1", 6);
    a.Key("GROUP", "PROGRAM").Key("GROUP", "SYSTEM").Key("GROUP", "APPLICATIONDATA").Key("GROUP", "APPLICATIONDATA1");
    a.Key("SUBDIR", "Samples");
    a.Record("PROGRAM", "HELP", "help.txt", "N").Record("PROGRAM", "APP", "orvalis.exe", "Y");
    // No flag records outside the main-program group: none must be taken
    // from the records that follow.
    a.Record("SYSTEM", "SYS", "orvsys.txt");
    a.Record("APPLICATIONDATA", "#CFG", "settings.ini");
    a.Record("APPLICATIONDATA1", "LOCAL", "cache.dat");
    a.Record("SAMPLES", "S1", "one.txt");
    a.Key("DATAFILE:1", "extra.bin").Key("DATAFILE:2", "more.bin").Key("DATAFILE:4", "skipped.bin");
    const CopyPlanResult r = a.Read();
    ASSERT_EQ(r.problem, CopyPlanProblem::None) << r.subject;
    const std::vector<std::string> expected = {
        "HELP > D:\\Apps\\Orvalis\\Image Editor\\help.txt",
        "APP > D:\\Apps\\Orvalis\\Image Editor\\orvalis.exe (main)",
        "SYS > C:\\Windows\\system32\\orvsys.txt",
        "#CFG > D:\\Apps\\Orvalis\\Image Editor\\settings.ini",
        "LOCAL > C:\\Local\\Orvalis\\cache.dat",
        "S1 > D:\\Apps\\Orvalis\\Image Editor\\Samples\\one.txt",
    };
    EXPECT_EQ(Destinations(r.plan), expected);
    EXPECT_EQ(StoredTotal(r.plan), 48);
    ASSERT_EQ(r.plan.dataFiles.size(),
              2u);  // reading stops at the first missing number
    EXPECT_EQ(r.plan.dataFiles[1].source, "E:\\Setup\\more.bin");
    EXPECT_EQ(r.plan.dataFiles[1].destination, "D:\\Apps\\Orvalis\\Image Editor\\more.bin");
    EXPECT_EQ(r.plan.subdirectories, std::vector<std::string>{"Samples"});
}

TEST(CopyPlan, MoreFilesThanAFixedListHeld) {
    PlanArchive a;
    a.Key("GROUP", "APPLICATIONDATA");
    for (int i = 0; i < 120; ++i) {
        const std::string name = "F" + std::to_string(i);
        a.Entry(name, 1).Record("APPLICATIONDATA", name, name + ".txt");
    }
    const CopyPlanResult r = a.Read();
    ASSERT_EQ(r.problem, CopyPlanProblem::None);
    ASSERT_EQ(r.plan.entries.size(), 120u);
    EXPECT_EQ(r.plan.entries[119].destination, "D:\\Apps\\Orvalis\\Image Editor\\F119.txt");
}

TEST(CopyPlan, ProblemsFoundBeforeAnythingIsWritten) {
    const std::string longName(259 - std::string("D:\\Apps\\Orvalis\\Image Editor\\").size(), 'n');
    const std::string longFolder(247 - std::string("D:\\Apps\\Orvalis\\Image Editor\\").size(), 'd');
    const struct {
        const char* what;
        std::string group, target, subdirectory;
        CopyPlanProblem problem;
        std::string subject;
    } cases[] = {
        {"longest file path", "APPLICATIONDATA", longName, "", CopyPlanProblem::None, ""},
        {"file path too long", "APPLICATIONDATA", longName + "n", "", CopyPlanProblem::PathTooLong,
         "D:\\Apps\\Orvalis\\Image Editor\\" + longName + "n"},
        {"longest folder", "APPLICATIONDATA", "t", longFolder, CopyPlanProblem::None, ""},
        {"folder too long", "APPLICATIONDATA", "t", longFolder + "d", CopyPlanProblem::PathTooLong,
         "D:\\Apps\\Orvalis\\Image Editor\\" + longFolder + "d"},
        {"unknown group", "FONTS", "t", "", CopyPlanProblem::UnknownGroup, "FONTS"},
        {"missing entry", "APPLICATIONDATA", "t", "", CopyPlanProblem::MissingEntry, "GONE"},
    };
    for (const auto& c : cases) {
        PlanArchive a;
        a.Entry("E", 1).Key("GROUP", c.group);
        a.Record(c.group, c.problem == CopyPlanProblem::MissingEntry ? "GONE" : "E", c.target);
        if (!c.subdirectory.empty())
            a.Key("SUBDIR", c.subdirectory);
        const CopyPlanResult r = a.Read();
        EXPECT_EQ(r.problem, c.problem) << c.what;
        EXPECT_EQ(r.subject, c.subject) << c.what;
    }
}

// The shortcuts are made after the copy is committed and the folders'
// names become the parents of everything written: both are checked first.
TEST(CopyPlan, ShortcutPathsAndFolderNamesCheckedBeforeAnythingIsWritten) {
    // "C:\Menu\Orvalis\Image Editor\" and ".lnk" leave 226 characters of
    // the 259 Windows allows to the link's name.
    const std::string longest(226, 'l');
    const struct {
        const char* what;
        std::string company, product, linkName;
        bool mainProgram;
        CopyPlanProblem problem;
        std::string subject;
    } cases[] = {
        {"longest link name", "Orvalis", "Image Editor", longest, true, CopyPlanProblem::None, ""},
        {"link name too long", "Orvalis", "Image Editor", longest + "l", true, CopyPlanProblem::ShortcutTooLong,
         "C:\\Menu\\Orvalis\\Image Editor\\" + longest + "l.lnk"},
        {"no main program, no link", "Orvalis", "Image Editor", longest + "l", false, CopyPlanProblem::None, ""},
        {"no company", "", "Image Editor", "Orvalis", true, CopyPlanProblem::NoFolderName, "COMPANY"},
        {"no product", "Orvalis", "", "Orvalis", true, CopyPlanProblem::NoFolderName, "PRODUCT"},
    };
    for (const auto& c : cases) {
        PlanArchive a(c.company, c.product);
        a.Entry("APP", 1).Key("GROUP", "PROGRAM").Record("PROGRAM", "APP", "orvalis.exe", c.mainProgram ? "Y" : "N");
        a.Key(ArchiveKeys::kMainLinkName, c.linkName);
        const CopyPlanResult r = a.Read();
        EXPECT_EQ(r.problem, c.problem) << c.what;
        EXPECT_EQ(r.subject, c.subject) << c.what;
    }
}

class CopyFiles : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const {
        return ::testing::TempDir() + "copy-step-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
               "-" + name;
    }
    static void Write(const std::string& path, const std::string& text) {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr) << path;
        fputs(text.c_str(), f);
        fclose(f);
    }
    static std::string Read(const std::string& path) {
        FILE* f = fopen(path.c_str(), "rb");
        if (!f)
            return "(missing)";
        std::string text;
        for (int c; (c = fgetc(f)) != EOF;)
            text += static_cast<char>(c);
        fclose(f);
        return text;
    }
    // No set-aside copy is left in the test folder.
    void ExpectNoKeptCopies() const {
        for (unsigned n = 1; n < 10; ++n)
            EXPECT_FALSE(PathExists(::testing::TempDir() + "~orv" + std::to_string(n) + ".tmp")) << n;
    }
};

TEST_F(CopyFiles, RollBackRestoresWhatWasThere) {
    const std::string earlier = Path("earlier"), fresh = Path("fresh");
    Write(earlier, "the user's own file");
    CTestJournalDisk disk;
    CopyJournal journal(disk);
    for (const std::string& path : {earlier, fresh, earlier}) {  // one destination written twice
        ASSERT_TRUE(journal.Record(path));
        Write(path, "installed");
    }
    EXPECT_EQ(journal.Count(), 3u);
    journal.RollBack();
    EXPECT_EQ(Read(earlier), "the user's own file");
    EXPECT_FALSE(PathExists(fresh));
    ExpectNoKeptCopies();
    remove(earlier.c_str());
}

TEST_F(CopyFiles, CommitDropsTheKeptCopies) {
    const std::string earlier = Path("earlier");
    Write(earlier, "old");
    CTestJournalDisk disk;
    CopyJournal journal(disk);
    ASSERT_TRUE(journal.Record(earlier));
    Write(earlier, "new");
    journal.Commit();
    EXPECT_EQ(Read(earlier), "new");
    ExpectNoKeptCopies();
    remove(earlier.c_str());
}

TEST_F(CopyFiles, RollBackOfManyFiles) {
    CTestJournalDisk disk;
    CopyJournal journal(disk);
    std::vector<std::string> paths;
    for (int i = 0; i < 60; ++i) {
        paths.push_back(Path(std::to_string(i)));
        ASSERT_TRUE(journal.Record(paths.back()));
        Write(paths.back(), "x");
    }
    journal.RollBack();
    for (const std::string& path : paths)
        EXPECT_FALSE(PathExists(path)) << path;
}

TEST_F(CopyFiles, PiecesStopWhenAskedAndCountWhatWasWritten) {
    const std::string path = Path("pieces");
    const std::vector<uint8_t> data(30000, 'a');
    const struct {
        size_t stopAfter;
        ChunkOutcome outcome;
        size_t written;
    } cases[] = {
        {0, ChunkOutcome::Written, 30000},  // 12288 + 12288 + 5424
        {1, ChunkOutcome::Stopped, 12288},
        {3, ChunkOutcome::Stopped, 30000},
    };
    for (const auto& c : cases) {
        FILE* out = fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        size_t pieces = 0, written = 0;
        const ChunkOutcome outcome = WriteInChunks(out, data.data(), data.size(), 12288, [&](size_t bytes) {
            written += bytes;
            return ++pieces == c.stopAfter;
        });
        EXPECT_TRUE(CloseWritten(out));
        EXPECT_EQ(outcome, c.outcome) << c.stopAfter;
        EXPECT_EQ(written, c.written) << c.stopAfter;
        EXPECT_EQ(Read(path).size(), c.written) << c.stopAfter;
    }
    remove(path.c_str());
}

TEST_F(CopyFiles, ShortReadOfADataFile) {
    const std::string source = Path("source"), copy = Path("copy");
    Write(source, "twelve bytes");
    FILE* in = fopen(source.c_str(), "rb");
    FILE* out = fopen(copy.c_str(), "wb");
    ASSERT_TRUE(in && out);
    uint8_t buffer[5];
    size_t written = 0;
    const ChunkOutcome outcome = CopyInChunks(in, out, 20, buffer, sizeof buffer, [&](size_t bytes) {
        written += bytes;
        return false;
    });
    fclose(in);
    EXPECT_TRUE(CloseWritten(out));
    EXPECT_EQ(outcome, ChunkOutcome::ShortRead);
    EXPECT_EQ(written, 10u);
    EXPECT_EQ(Read(copy), "twelve byt");
    remove(source.c_str());
    remove(copy.c_str());
}

#ifdef __linux__
// A full disk, as /dev/full gives it: the writer says so and goes no further.
TEST_F(CopyFiles, FullDiskIsAShortWrite) {
    FILE* out = fopen("/dev/full", "wb");
    ASSERT_NE(out, nullptr);
    setvbuf(out, nullptr, _IONBF, 0);
    const std::vector<uint8_t> data(30000, 'a');
    int pieces = 0;
    EXPECT_EQ(WriteInChunks(out, data.data(), data.size(), 12288, [&](size_t) { return ++pieces, false; }),
              ChunkOutcome::ShortWrite);
    EXPECT_EQ(pieces, 0);
    fclose(out);
}

TEST_F(CopyFiles, FullDiskSeenWhenTheLastBytesAreFlushed) {
    FILE* out = fopen("/dev/full", "wb");
    ASSERT_NE(out, nullptr);
    const uint8_t small[10] = {};
    EXPECT_EQ(WriteInChunks(out, small, sizeof small, 12288, [](size_t) { return false; }), ChunkOutcome::Written);
    EXPECT_FALSE(CloseWritten(out));
}
#endif

}  // namespace
