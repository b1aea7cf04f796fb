// Runs the pgrtool program itself: exit codes, messages and the promise that a
// failed command leaves no output file behind.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "install/portable/Bits16.h"
#include "pgr/PgrTransforms.h"
#include "tests/unit/ArchiveFixtures.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode;
    std::string output;
};

ToolRun RunTool(const std::string& arguments) {
    const std::string command = std::string(PGRTOOL_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run{-1, ""};
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class PgrToolCli : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("pgrtool-cli-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        Write("a.txt", "alpha");
        Write("b.bin", std::string("ZLIB\x00\x00\x00\x01xyz", 11));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
    }
    void Write(const std::string& name, const std::vector<uint8_t>& content) {
        Write(name, std::string(content.begin(), content.end()));
    }
    std::string Read(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // Everything in a directory: each file with its bytes, each directory as "<directory>".
    std::map<std::string, std::string> Listing(const fs::path& directory) const {
        std::map<std::string, std::string> listing;
        for (const fs::directory_entry& e : fs::directory_iterator(directory))
            listing[e.path().filename().string()] = e.is_directory() ? "<directory>" : Read(e.path());
        return listing;
    }

    fs::path m_dir;
};

TEST_F(PgrToolCli, PacksTheDemoManifestDeterministically) {
    const ToolRun first = RunTool("pack " + std::string(DEMO_MANIFEST) + " -o " + Path("one.pgr"));
    ASSERT_EQ(first.exitCode, 0) << first.output;
    ASSERT_EQ(RunTool("pack " + std::string(DEMO_MANIFEST) + " -o " + Path("two.pgr")).exitCode, 0);
    std::ifstream one(Path("one.pgr"), std::ios::binary), two(Path("two.pgr"), std::ios::binary);
    const std::string a((std::istreambuf_iterator<char>(one)), {}), b((std::istreambuf_iterator<char>(two)), {});
    EXPECT_GT(a.size(), 200u);
    EXPECT_EQ(a, b);
    EXPECT_FALSE(fs::exists(Path("one.pgr.partial")));
}

TEST_F(PgrToolCli, LaterManifestsAddAfterTheEarlierOnes) {
    Write("first.json", R"({"entries":[{"name":"A","source":"a.txt"}],"keys":[{"name":"LIST","value":"one"}]})");
    Write("second.json", R"({"entries":[{"name":"C","source":"a.txt"}],"keys":[{"name":"LIST","value":"two"}]})");
    ASSERT_EQ(RunTool("pack " + Path("first.json") + " " + Path("second.json") + " -o " + Path("both.pgr")).exitCode, 0);
    EXPECT_EQ(RunTool("get-key " + Path("both.pgr") + " LIST").output, "one\ntwo\n");
    ASSERT_EQ(RunTool("extract " + Path("both.pgr") + " -o " + Path("out")).exitCode, 0);
    EXPECT_EQ(Listing(m_dir / "out"), (std::map<std::string, std::string>{{"A", "alpha"}, {"C", "alpha"}}));

    // A name both use is refused, as within one manifest.
    const ToolRun twice = RunTool("pack " + Path("first.json") + " " + Path("first.json") + " -o " + Path("x.pgr"));
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_NE(twice.output.find("duplicate entry name \"A\""), std::string::npos) << twice.output;
}

TEST_F(PgrToolCli, FailsCleanlyOnBadManifests) {
    const std::string longValue(500, 'v');
    struct Case {
        const char* what;
        std::string manifest;
        const char* message;
    } cases[] = {
        {"missing source", R"({"entries":[{"name":"A","source":"nowhere.txt"}]})", "cannot read"},
        {"duplicate entry", R"({"entries":[{"name":"A","source":"a.txt"},{"name":"A","source":"a.txt"}]})",
         "duplicate entry name \"A\""},
        {"plain text 0x80", "{\"keys\":[{\"name\":\"K\",\"value\":\"\xc3\xa9t\xc3\xa9\",\"scramble_value\":false}]}",
         "begins with a byte of 0x80"},
        {"string over 500 bytes", R"({"keys":[{"name":"K","value":")" + longValue + R"("}]})", "at most 499 bytes"},
        {"stored ZLIB lookalike", R"({"entries":[{"name":"B","source":"b.bin"}]})", "would be read as compressed"},
        {"unknown field", R"({"entries":[{"name":"A","source":"a.txt","compres":true}]})", "unknown field \"compres\""},
        {"wrong type", R"({"keys":[{"name":"K","value":7}]})", "\"value\" must be a string"},
        {"not JSON", R"({"keys":[)", "not valid JSON"},
        {"a value the code page lacks", R"({"keys":[{"name":"K","value":"x"},{"name":"K","value":"Łódź"}]})",
         "keys[1].value: \"Łódź\" holds \"Ł\" (U+0141), which code page 1252 cannot hold"},
        {"an entry name the code page lacks", R"({"entries":[{"name":"中文.txt","source":"a.txt"}]})",
         "entries[0].name: \"中文.txt\" holds \"中\" (U+4E2D)"},
        {"a key name the named code page lacks", R"({"codepage":1251,"keys":[{"name":"Café","value":"x"}]})",
         "keys[0].name: \"Café\" holds \"é\" (U+00E9), which code page 1251 cannot hold"},
        {"not UTF-8", "{\"keys\":[{\"name\":\"K\",\"value\":\"Caf\xc3(\"}]}",
         "line 1, column 35: syntax error while parsing value - invalid string: ill-formed UTF-8 byte"},
        {"unknown code page", R"({"codepage":437})", "code page 437 is not supported; a manifest may name 874, 1250"},
        {"code page as a string", R"({"codepage":"1252"})", "\"codepage\" must be a whole number"},
    };
    for (const Case& c : cases) {
        Write("manifest.json", c.manifest);
        const ToolRun run = RunTool("pack " + Path("manifest.json") + " -o " + Path("out.pgr"));
        EXPECT_EQ(run.exitCode, 1) << c.what;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.what << ": " << run.output;
        EXPECT_FALSE(fs::exists(Path("out.pgr"))) << c.what;
        EXPECT_FALSE(fs::exists(Path("out.pgr.partial"))) << c.what;
    }
}

// The installer reads names and values in the system's code page: they are
// stored in the manifest's, byte for byte as the builder stores those bytes,
// while an entry's content stays as its file holds it.
TEST_F(PgrToolCli, PackStoresTextsInTheManifestsCodePage) {
    const std::string content = "Café";
    Write("cafe.txt", content);
    const struct {
        int codePage;  // 0: the manifest names none
        const char* text;
        std::string stored;
    } cases[] = {
        {0, "Plain.txt", "Plain.txt"},
        {1251, "Plain.txt", "Plain.txt"},
        {0, "Café Latte.txt", "Caf\xe9 Latte.txt"},
        {1252, "Price in €", "Price in \x80"},
        {1250, "Łódź", "\xa3\xf3\x64\x9f"},
    };
    for (const auto& c : cases) {
        nlohmann::json manifest = {
            {"entries", nlohmann::json::array({{{"name", c.text}, {"source", "cafe.txt"}}})},
            {"keys", nlohmann::json::array({{{"name", std::string("K ") + c.text}, {"value", c.text}}})},
        };
        if (c.codePage)
            manifest["codepage"] = c.codePage;
        Write("manifest.json", manifest.dump());
        const ToolRun run = RunTool("pack " + Path("manifest.json") + " -o " + Path("out.pgr"));
        ASSERT_EQ(run.exitCode, 0) << c.text << ": " << run.output;

        PgrBuilder expected;
        expected.AddEntry({c.stored, Bytes(content), false, true});
        expected.AddKey({"K " + c.stored, c.stored, true, true});
        const std::vector<uint8_t> archive = expected.Build();
        EXPECT_EQ(Read(Path("out.pgr")), std::string(archive.begin(), archive.end())) << c.codePage << ": " << c.text;
    }
}

TEST_F(PgrToolCli, ScrambleTextsWritesAHeaderOrNothing) {
    Write("texts.txt", "Title \"Hello\"\n");
    ASSERT_EQ(RunTool("scramble-texts " + Path("texts.txt") + " -o " + Path("T.h")).exitCode, 0);
    EXPECT_TRUE(fs::exists(Path("T.h")));

    Write("bad.txt", "Title \"Hello\"\nTitle \"again\"\n");
    const ToolRun run = RunTool("scramble-texts " + Path("bad.txt") + " -o " + Path("B.h"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("bad.txt: line 2: Title is defined twice"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(Path("B.h")));
}

TEST_F(PgrToolCli, ExtractGivesBackEverySourceOfThePackedManifest) {
    ASSERT_EQ(RunTool("pack " + std::string(DEMO_MANIFEST) + " -o " + Path("demo.pgr")).exitCode, 0);
    const ToolRun run = RunTool("extract " + Path("demo.pgr") + " -o " + Path("out"));
    ASSERT_EQ(run.exitCode, 0) << run.output;

    std::ifstream in(DEMO_MANIFEST);
    const nlohmann::json manifest = nlohmann::json::parse(in);
    const fs::path folder = fs::path(DEMO_MANIFEST).parent_path();
    size_t files = 0;
    for (const auto& entry : manifest["entries"]) {
        const std::string name = entry["name"], source = entry["source"];
        EXPECT_EQ(Read(m_dir / "out" / name), Read(folder / source)) << name;
        files++;
    }
    EXPECT_EQ(static_cast<size_t>(std::distance(fs::directory_iterator(m_dir / "out"), {})), files);
}

TEST_F(PgrToolCli, VerifyAcceptsWhatTheBuilderMakesAndNamesEachFault) {
    InitNoiseTable();
    const std::vector<uint8_t> sound = SampleArchive();
    struct Case {
        const char* what;
        std::function<void(ArchiveEditor&)> edit;
        const char* message;
    } cases[] = {
        {"sound", [](ArchiveEditor&) {}, nullptr},
        {"bit flip", [](ArchiveEditor& e) { e.Raw([](auto& a) { a[a.size() / 2] ^= 4; }); }, "checksum mismatch"},
        {"truncated", [](ArchiveEditor& e) { e.Raw([](auto& a) { a.resize(a.size() - 100); }); }, "checksum mismatch"},
        {"bad count", [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::keyCount, 1000); }, "broken structure"},
        {"bad offset", [](ArchiveEditor& e) { e.KeyField(2, &PGRKeyEntry::valueOffset, -3); }, "broken structure"},
        {"corrupt entry",
         [](ArchiveEditor& e) { e.FirstDataBlock(0, [](uint8_t* b, int32_t) { StoreLe32(b + 4, 3004); }); },
         "entry 0 \"README_TXT\": entry is corrupt"},
        {"duplicate name",
         [](ArchiveEditor& e) { e.FileField(2, &PGRFileEntry::nameOffset, e.File(1).nameOffset); },
         "entry 2: name \"#PLAIN\" is taken by entry 1"},
    };
    for (const Case& c : cases) {
        ArchiveEditor editor(sound);
        c.edit(editor);
        Write("a.pgr", editor.Archive());
        const ToolRun run = RunTool("verify " + Path("a.pgr"));
        EXPECT_EQ(run.exitCode, c.message ? 1 : 0) << c.what << ": " << run.output;
        EXPECT_NE(run.output.find(c.message ? c.message : "sound"), std::string::npos) << c.what << ": " << run.output;
    }
    EXPECT_EQ(RunTool("verify " + Path("absent.pgr")).exitCode, 1);
}

TEST_F(PgrToolCli, ExtractRefusesUnsafeNamesAndCorruptEntriesWritingNothing) {
    InitNoiseTable();
    ArchiveEditor corrupt(SampleArchive());
    corrupt.FirstDataBlock(0, [](uint8_t* b, int32_t) { StoreLe32(b + 4, 1); });
    Write("corrupt.pgr", corrupt.Archive());
    const ToolRun run = RunTool("extract " + Path("corrupt.pgr") + " -o " + Path("out"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("entry is corrupt"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(m_dir / "out"));

    for (const char* name : {"../escaped", "sub/file", "sub\\file", "..", "."}) {
        PgrBuilder b;
        b.AddEntry({"FIRST", Bytes("first"), false, true});
        b.AddEntry({name, Bytes("evil"), false, true});
        Write("unsafe.pgr", b.Build());
        const ToolRun unsafe = RunTool("extract " + Path("unsafe.pgr") + " -o " + Path("out"));
        EXPECT_EQ(unsafe.exitCode, 1) << name;
        EXPECT_NE(unsafe.output.find("unsafe file name"), std::string::npos) << name << ": " << unsafe.output;
        EXPECT_FALSE(fs::exists(m_dir / "out")) << name;
        EXPECT_FALSE(fs::exists(m_dir / "escaped")) << name;
    }
}

TEST_F(PgrToolCli, ExtractThatCannotWriteLeavesTheDirectoryAsItWas) {
    PgrBuilder b;
    b.AddEntry({"A", Bytes("new a"), false, true});
    b.AddEntry({"B", Bytes("new b"), false, true});
    Write("two.pgr", b.Build());
    // A directory where B's file would go stops the extract before A could be
    // written; one named like a temporary copy of B is no obstacle. Neither is
    // ever removed: it is the user's.
    const struct {
        const char* blocker;
        int exitCode;
        std::map<std::string, std::string> after;
    } cases[] = {
        {"B", 1, {{"A", "old a"}, {"B", "<directory>"}}},
        {"B.extracting", 0, {{"A", "new a"}, {"B", "new b"}, {"B.extracting", "<directory>"}}},
    };
    for (const auto& c : cases) {
        fs::remove_all(m_dir / "out");
        fs::create_directories(m_dir / "out" / c.blocker);
        Write("out/A", "old a");

        const ToolRun run = RunTool("extract " + Path("two.pgr") + " -o " + Path("out"));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.blocker << ": " << run.output;
        if (c.exitCode != 0) {
            EXPECT_NE(run.output.find("cannot write"), std::string::npos) << c.blocker << ": " << run.output;
        }
        EXPECT_EQ(Listing(m_dir / "out"), c.after) << c.blocker;
    }
}

// The file system refuses a name over 255 bytes only when its file is moved
// into place, after A and B were: both moves are taken back, and A gets its
// old bytes again.
TEST_F(PgrToolCli, ExtractThatFailsPartWayPutsBackWhatItReplaced) {
    PgrBuilder b;
    b.AddEntry({"A", Bytes("new a"), false, true});
    b.AddEntry({"B", Bytes("new b"), false, true});
    b.AddEntry({std::string(300, 'L'), Bytes("long"), false, true});
    Write("long.pgr", b.Build());
    fs::create_directories(m_dir / "out");
    Write("out/A", "old a");
    Write("out/kept", "kept");

    const ToolRun run = RunTool("extract " + Path("long.pgr") + " -o " + Path("out"));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("File name too long"), std::string::npos) << run.output;
    const std::map<std::string, std::string> asItWas = {{"A", "old a"}, {"kept", "kept"}};
    EXPECT_EQ(Listing(m_dir / "out"), asItWas);
}

// Whatever the entries are called and whatever the directory holds, each
// entry's bytes land under its own name and nothing else there changes.
TEST_F(PgrToolCli, ExtractPutsEachEntryUnderItsOwnNameAndKeepsTheRest) {
    using Files = std::map<std::string, std::string>;
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> entries;
        Files before;
        Files after;
    } cases[] = {
        {"an entry named like another's temporary copy",
         {{"a.extracting", "dotted"}, {"a", "plain"}}, {}, {{"a.extracting", "dotted"}, {"a", "plain"}}},
        {"a file of the user's named like a temporary copy",
         {{"a", "new"}}, {{"a.extracting", "mine"}}, {{"a", "new"}, {"a.extracting", "mine"}}},
        {"a file of an entry's name is replaced, the others kept",
         {{"a", "new"}}, {{"a", "old"}, {"b", "kept"}}, {{"a", "new"}, {"b", "kept"}}},
    };
    for (const auto& c : cases) {
        fs::remove_all(m_dir / "out");
        fs::create_directories(m_dir / "out");
        for (const auto& [name, content] : c.before)
            Write("out/" + name, content);
        PgrBuilder b;
        for (const auto& [name, content] : c.entries)
            b.AddEntry({name, Bytes(content), false, true});
        Write("named.pgr", b.Build());

        const ToolRun run = RunTool("extract " + Path("named.pgr") + " -o " + Path("out"));
        EXPECT_EQ(run.exitCode, 0) << c.what << ": " << run.output;
        EXPECT_EQ(Listing(m_dir / "out"), c.after) << c.what;
    }
}

TEST_F(PgrToolCli, ListAndGetKeyShowWhatTheReaderSees) {
    InitNoiseTable();
    Write("a.pgr", SampleArchive());
    const ToolRun list = RunTool("list " + Path("a.pgr"));
    ASSERT_EQ(list.exitCode, 0) << list.output;
    for (const char* line : {"4 files, 7 keys", "\"README_TXT\" [scrambled]", "compressed, inflates to 3003 bytes",
                             "\"#PLAIN\"  ", "\"TARGET\" = \"app\" [scrambled]",
                             "\"UNINSTALL:KEYNAME\" = \"Orvalis 3\"\n"})
        EXPECT_NE(list.output.find(line), std::string::npos) << line << " in\n" << list.output;

    const ToolRun files = RunTool("get-key " + Path("a.pgr") + " FILES");
    EXPECT_EQ(files.exitCode, 0);
    EXPECT_EQ(files.output, "first.dll\nsecond.dll\n");
    EXPECT_EQ(RunTool("get-key " + Path("a.pgr") + " UNINSTALL KEYNAME").output, "Orvalis 3\n");
    const ToolRun missing = RunTool("get-key " + Path("a.pgr") + " UNINSTALL");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("no key UNINSTALL"), std::string::npos) << missing.output;
}

}  // namespace
