// Runs the pgrtool program itself: exit codes, messages and the promise that a
// failed command leaves no output file behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

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

}  // namespace
