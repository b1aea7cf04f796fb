#include <gtest/gtest.h>

#include "uninstall/CopyCommandLine.h"

namespace {

TEST(CopyCommandLine, RoundTripsPathsWithSpaces) {
    const CopyCommand command{"C:\\Program Files\\Orvalis\\Image Editor\\Uninstall.exe", 1234};
    const std::string line = FormatCopyCommandLine("C:\\Temp\\Orvalis-0a1b\\Uninstall.exe", command);
    EXPECT_EQ(line, "\"C:\\Temp\\Orvalis-0a1b\\Uninstall.exe\" /original \"C:\\Program Files\\Orvalis\\Image "
                    "Editor\\Uninstall.exe\" /wait 1234");
    CopyCommand parsed;
    ASSERT_TRUE(ParseCopyCommandLine(line, parsed));
    EXPECT_EQ(parsed.original, command.original);
    EXPECT_EQ(parsed.originalProcess, 1234u);
}

// Anything else is the original started by the user or the system.
TEST(CopyCommandLine, OtherCommandLinesAreTheOriginals) {
    const char* lines[] = {
        "\"C:\\P\\Uninstall.exe\"",
        "C:\\P\\Uninstall.exe",
        "\"C:\\P\\Uninstall.exe\" /original \"C:\\P\\Uninstall.exe\"",
        "\"C:\\T\\U.exe\" /original \"C:\\P\\U.exe\" /wait ",
        "\"C:\\T\\U.exe\" /original \"C:\\P\\U.exe\" /wait 0",
        "\"C:\\T\\U.exe\" /original \"C:\\P\\U.exe\" /wait 12x",
        "\"C:\\T\\U.exe\" /original \"C:\\P\\U.exe\" /wait -5",
        "\"C:\\T\\U.exe\" /original \"\" /wait 5",
        "\"C:\\T\\U.exe\" /original \"C:\\P\"\\U.exe\" /wait 5",
    };
    for (const char* line : lines) {
        CopyCommand parsed;
        EXPECT_FALSE(ParseCopyCommandLine(line, parsed)) << line;
    }
}

}  // namespace
