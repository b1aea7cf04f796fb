#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/demo-program/SampleList.h"
#include "tools/demo-program/VersionText.h"

namespace {

using namespace std::string_literals;

TEST(VersionText, ShowsOnlyAPlainVersion) {
    const struct {
        std::optional<std::string> data;
        std::string line;
    } cases[] = {
        {"1.0"s + '\0', "Version 1.0"},
        {"1.0", "Version 1.0"},                                 // written without its terminator
        {"2.1 beta"s + '\0', "Version 2.1 beta"},
        {"  1.0  "s + '\0', "Version 1.0"},
        {"1.0"s + '\0' + "\xC3\x9F junk", "Version 1.0"},       // bytes behind the terminator
        {std::nullopt, "Version unknown"},                      // missing, or no text
        {""s, "Version unknown"},
        {"\0"s, "Version unknown"},
        {"   "s + '\0', "Version unknown"},
        {"1.0\r\n"s + '\0', "Version unknown"},
        {"1.0\t2", "Version unknown"},
        {"\xE9t\xE9", "Version unknown"},                       // depends on the code page
        {std::string(32, '9'), "Version " + std::string(32, '9')},
        {std::string(33, '9'), "Version unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionLine(c.data), c.line) << (c.data ? "'" + *c.data + "'" : "(none)");
}

DirectoryEntry File(const char* name) {
    return {name, false, false};
}

TEST(SampleList, VisibleFilesSortedByNameRegardlessOfCase) {
    const DirectoryEntry dot = {".", true, false};
    const DirectoryEntry dotDot = {"..", true, false};
    const struct {
        const char* what;
        std::vector<DirectoryEntry> entries;
        std::vector<std::string> lines;
    } cases[] = {
        {"installed samples", {dot, dotDot, File("palette.txt"), File("curves.txt"), File("notes.txt")},
         {"curves.txt", "notes.txt", "palette.txt"}},
        {"case ignored", {File("beta.png"), File("Alpha.png"), File("GAMMA.png")},
         {"Alpha.png", "beta.png", "GAMMA.png"}},
        {"same name but case", {File("a.txt"), File("A.txt")}, {"A.txt", "a.txt"}},
        {"prefix first", {File("notes.txt.bak"), File("notes.txt")}, {"notes.txt", "notes.txt.bak"}},
        {"no folders", {dot, dotDot, {"Old", true, false}, File("x.raw")}, {"x.raw"}},
        {"no hidden files", {{"desktop.ini", false, true}, File("y.raw")}, {"y.raw"}},
        {"missing folder", {}, {kNoSamplesLine}},
        {"empty folder", {dot, dotDot}, {kNoSamplesLine}},
        {"only folders and hidden files", {{"Old", true, false}, {"Thumbs.db", false, true}}, {kNoSamplesLine}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SampleListLines(c.entries), c.lines) << c.what;
}

TEST(SampleList, FolderBesideTheProgram) {
    const struct {
        const char* program;
        const char* folder;
    } cases[] = {
        {"C:\\Program Files\\Orvalis\\Image Editor\\Orvalis.exe", "C:\\Program Files\\Orvalis\\Image Editor\\Samples"},
        {"Z:/tmp/demo/Orvalis.exe", "Z:/tmp/demo\\Samples"},
        {"C:\\Orvalis.exe", "C:\\Samples"},
        {"Orvalis.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SamplesFolderBeside(c.program), c.folder) << c.program;
}

}  // namespace
