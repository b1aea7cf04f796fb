#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/portable/BmpFile.h"
#include "tests/e2e/portable/Command.h"
#include "tests/e2e/portable/ScriptWords.h"
#include "tests/e2e/portable/TextRules.h"

namespace {

using Words = std::vector<std::string>;

TEST(UiDriverWords, SplitsQuotedWordsKeepingBackslashes) {
    struct Case {
        const char* line;
        Words words;
    } cases[] = {
        {"", {}},
        {"  \t ", {}},
        {"click Continue", {"click", "Continue"}},
        {"  click   Continue  \r", {"click", "Continue"}},
        {"wait-window \"Controls demo\" 5000", {"wait-window", "Controls demo", "5000"}},
        {"read-text \"C:\\Program Files\\\" x", {"read-text", "C:\\Program Files\\", "x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"say \"\"", {"say", ""}},
        {"say \"a \"\"quoted\"\" word\"", {"say", "a \"quoted\" word"}},
        {"say \"\"\"\"", {"say", "\""}},
        {"expect Line\\none", {"expect", "Line\\none"}},
    };
    for (const Case& c : cases) {
        Words words;
        std::string error;
        EXPECT_TRUE(SplitWords(c.line, words, error)) << c.line;
        EXPECT_EQ(words, c.words) << c.line;
    }
}

TEST(UiDriverWords, UnclosedQuoteIsAnError) {
    for (const char* line : {"click \"Continue", "\"", "a \"b\"\""}) {
        Words words{"left over"};
        std::string error;
        EXPECT_FALSE(SplitWords(line, words, error)) << line;
        EXPECT_EQ(error, "unclosed quote") << line;
        EXPECT_TRUE(words.empty()) << line;
    }
}

// The expected lines follow the C runtime's and CommandLineToArgvW's rules.
TEST(UiDriverWords, JoinsACommandLineThatSplitsBackIntoTheWords) {
    struct Case {
        Words words;
        const char* line;
    } cases[] = {
        {{"C:\\probe.exe"}, "C:\\probe.exe"},
        {{"C:\\Program Files\\probe.exe", "/S"}, "\"C:\\Program Files\\probe.exe\" /S"},
        {{"probe.exe", ""}, "probe.exe \"\""},
        {{"probe.exe", "C:\\out dir\\"}, "probe.exe \"C:\\out dir\\\\\""},
        {{"probe.exe", "say \"hi\""}, "probe.exe \"say \\\"hi\\\"\""},
        {{"probe.exe", "a\\\\\"b"}, "probe.exe \"a\\\\\\\\\\\"b\""},
        {{"probe.exe", "a\\b"}, "probe.exe a\\b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinCommandLine(c.words), c.line);
}

TEST(UiDriverText, CaptionsMatchAsShown) {
    struct Case {
        const char* caption;
        const char* wanted;
        bool matches;
    } cases[] = {
        {"&Yes", "Yes", true},
        {"Yes", "&Yes", false},  // a mnemonic the caption does not have
        {"&No", "&No", true},
        {"OK", "OK", true},
        {"Save && exit", "Save & exit", true},
        {"Save && exit", "Save exit", false},
        {"Save && exit", "Save && exit", true},
        {"&Yes", "yes", false},  // letter case counts
        {"Yes", "Yes ", false},
        {"Continue&", "Continue", true},
        {"", "", true},
        {"Continue", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionMatches(c.caption, c.wanted), c.matches) << c.caption << " / " << c.wanted;
}

TEST(UiDriverText, EscapesTextForOneLine) {
    struct Case {
        std::string text;
        const char* escaped;
    } cases[] = {
        {"Line one\nLine two", "Line one\\nLine two"},
        {"Line one\r\nLine two\r\n", "Line one\\nLine two\\n"},
        {"C:\\Program Files\\Orvalis", "C:\\\\Program Files\\\\Orvalis"},
        {"a\tb", "a\\tb"},
        {"lone\rcr", "lone\\x0Dcr"},
        {std::string("nul\0byte", 8), "nul\\x00byte"},
        {"\x7f", "\\x7F"},
        {"caf\xe9", "caf\xe9"},  // ANSI letters stay as they are
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EscapeText(c.text), c.escaped);
}

TEST(UiDriverCommands, ParsesEachFormIntoItsFields) {
    Command c;
    std::string error;
    ASSERT_TRUE(ParseCommand({"start", "C:\\My Apps\\setup.exe", "/S"}, c, error)) << error;
    EXPECT_EQ(c.verb, Verb::Start);
    EXPECT_EQ(c.path, "C:\\My Apps\\setup.exe");
    EXPECT_EQ(c.commandLine, "\"C:\\My Apps\\setup.exe\" /S");

    ASSERT_TRUE(ParseCommand({"wait-window", "Setup", "5000"}, c, error)) << error;
    EXPECT_EQ(c.title, "Setup");
    EXPECT_EQ(c.className, "");
    EXPECT_EQ(c.timeoutMs, 5000);

    ASSERT_TRUE(ParseCommand({"wait-window", "Setup", "qv_UserWin", "0"}, c, error)) << error;
    EXPECT_EQ(c.className, "qv_UserWin");
    EXPECT_EQ(c.timeoutMs, 0);

    c = Command();
    ASSERT_TRUE(ParseCommand({"click", "&Next"}, c, error)) << error;
    EXPECT_EQ(c.caption, "&Next");
    EXPECT_EQ(c.title, "");
    EXPECT_EQ(c.timeoutMs, kUseDefaultTimeout);

    ASSERT_TRUE(ParseCommand({"click", "Next", "in", "Setup"}, c, error)) << error;
    EXPECT_EQ(c.caption, "Next");
    EXPECT_EQ(c.title, "Setup");

    c = Command();
    ASSERT_TRUE(ParseCommand({"set-check", "Desktop", "on"}, c, error)) << error;
    EXPECT_EQ(c.caption, "Desktop");
    EXPECT_TRUE(c.checked);
    EXPECT_EQ(c.title, "");
    ASSERT_TRUE(ParseCommand({"set-check", "Launch", "off", "in", "Setup"}, c, error)) << error;
    EXPECT_FALSE(c.checked);
    EXPECT_EQ(c.title, "Setup");

    ASSERT_TRUE(ParseCommand({"capture", "Setup", "shot.bmp"}, c, error)) << error;
    EXPECT_EQ(c.title, "Setup");
    EXPECT_EQ(c.path, "shot.bmp");

    ASSERT_TRUE(ParseCommand({"read-text", "Setup", "Edit"}, c, error)) << error;
    EXPECT_EQ(c.className, "Edit");

    ASSERT_TRUE(ParseCommand({"move", "Setup", "-30", "700"}, c, error)) << error;
    EXPECT_EQ(c.x, -30);
    EXPECT_EQ(c.y, 700);

    ASSERT_TRUE(ParseCommand({"type", "Setup", "Tab", "Shift+Tab", "KeypadEnter", "End"}, c, error)) << error;
    EXPECT_EQ(c.title, "Setup");
    const struct {
        int virtualKey;
        bool shift, extended;
    } typed[] = {{0x09, false, false}, {0x09, true, false}, {0x0D, false, true}, {0x23, false, true}};
    ASSERT_EQ(c.keys.size(), std::size(typed));
    for (size_t i = 0; i < c.keys.size(); ++i) {
        EXPECT_EQ(c.keys[i].virtualKey, typed[i].virtualKey) << i;
        EXPECT_EQ(c.keys[i].shift, typed[i].shift) << i;
        EXPECT_EQ(c.keys[i].extended, typed[i].extended) << i;
    }

    Command anyFocus;
    ASSERT_TRUE(ParseCommand({"focus", "Setup"}, anyFocus, error)) << error;
    EXPECT_EQ(anyFocus.title, "Setup");
    EXPECT_EQ(anyFocus.caption, "");
    EXPECT_TRUE(GivesValue(anyFocus.verb));
    ASSERT_TRUE(ParseCommand({"focus", "Setup", "Quit Installer"}, c, error)) << error;
    EXPECT_EQ(c.caption, "Quit Installer");

    ASSERT_TRUE(ParseCommand({"expect", "a\\nb"}, c, error)) << error;
    EXPECT_EQ(c.text, "a\\nb");
    EXPECT_EQ(c.name, "expect");
}

TEST(UiDriverCommands, RejectsBadLinesWithTheirReason) {
    struct Case {
        Words words;
        std::string error;
    } cases[] = {
        {{"clik", "OK"}, "unknown command \"clik\""},
        {{"start"}, "usage: start PROGRAM [ARGUMENTS...]"},
        {{"wait-exit"}, "usage: wait-exit TIMEOUT_MS"},
        {{"wait-exit", "1", "2"}, "usage: wait-exit TIMEOUT_MS"},
        {{"wait-window", "Setup"}, "usage: wait-window TITLE [CLASS] TIMEOUT_MS"},
        {{"click", "Next", "on", "Setup"}, "usage: click CAPTION [in WINDOW_TITLE]"},
        {{"click", "Next", "in"}, "usage: click CAPTION [in WINDOW_TITLE]"},
        {{"set-check", "Desktop"}, "usage: set-check CAPTION on|off [in WINDOW_TITLE]"},
        {{"set-check", "Desktop", "yes"}, "usage: set-check CAPTION on|off [in WINDOW_TITLE]"},
        {{"set-check", "Desktop", "on", "on", "Setup"}, "usage: set-check CAPTION on|off [in WINDOW_TITLE]"},
        {{"browse-cancel", "now"}, "usage: browse-cancel"},
        {{"capture", "Setup"}, "usage: capture WINDOW_TITLE FILE.bmp"},
        {{"move", "Setup", "10"}, "usage: move WINDOW_TITLE X Y"},
        {{"move", "Setup", "10", "1.5"}, "X and Y must be whole numbers of pixels, not \"1.5\""},
        {{"move", "Setup", "", "0"}, "X and Y must be whole numbers of pixels, not \"\""},
        {{"type", "Setup"}, "usage: type WINDOW_TITLE KEY..."},
        {{"type", "Setup", "Tab", "tab"}, std::string("unknown key \"tab\"; keys are ") + KeyNamesList()},
        {{"type", "Setup", "Ctrl+Tab"}, std::string("unknown key \"Ctrl+Tab\"; keys are ") + KeyNamesList()},
        {{"type", "Setup", "Shift+"}, std::string("unknown key \"Shift+\"; keys are ") + KeyNamesList()},
        {{"focus"}, "usage: focus WINDOW_TITLE [CAPTION]"},
    };
    for (const Case& c : cases) {
        Command command;
        std::string error;
        EXPECT_FALSE(ParseCommand(c.words, command, error)) << c.words[0];
        EXPECT_EQ(error, c.error);
    }
}

TEST(UiDriverCommands, TimeoutsAreWholeMilliseconds) {
    for (const char* bad : {"", "-1", "+5", "5s", "1.5", "3600001", "99999999999999999999"}) {
        Command command;
        std::string error;
        EXPECT_FALSE(ParseCommand({"wait-exit", bad}, command, error)) << bad;
        EXPECT_NE(error.find("TIMEOUT_MS must be a whole number"), std::string::npos) << bad;
    }
    Command command;
    std::string error;
    EXPECT_TRUE(ParseCommand({"set-timeout", "3600000"}, command, error)) << error;
    EXPECT_EQ(command.timeoutMs, 3600000);
}

TEST(UiDriverCommands, ScriptSkipsCommentsAndKeepsLineNumbers) {
    const char* script =
        "# a scenario\n"
        "\n"
        "start probe.exe\r\n"
        "   # indented comment\n"
        "read-text Setup Edit\n"
        "expect \"C:\\\\Program Files\"\n";
    std::vector<Command> commands;
    ScriptError error{};
    ASSERT_TRUE(ParseScript(script, commands, error)) << error.message;
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].path, "probe.exe");
    EXPECT_EQ(commands[1].line, 5);
    EXPECT_EQ(commands[2].text, "C:\\\\Program Files");
}

TEST(UiDriverCommands, ScriptStopsAtTheFirstBadLine) {
    struct Case {
        const char* script;
        int line;
        const char* error;
    } cases[] = {
        {"start a.exe\nwait-exit soon\nclik x\n", 2,
         "TIMEOUT_MS must be a whole number of milliseconds up to 3600000, not \"soon\""},
        {"start a.exe\n\nclick \"Next\n", 3, "unclosed quote"},
        {"expect 0\n", 1, "expect must follow wait-exit, message-box, window-rect, read-text, set-check or focus"},
        {"start a.exe\nexpect 0\n", 2,
         "expect must follow wait-exit, message-box, window-rect, read-text, set-check or focus"},
        {"wait-exit 100\nexpect 0\nexpect 0\n", 3,
         "expect must follow wait-exit, message-box, window-rect, read-text, set-check or focus"},
    };
    for (const Case& c : cases) {
        std::vector<Command> commands;
        ScriptError error{};
        EXPECT_FALSE(ParseScript(c.script, commands, error)) << c.script;
        EXPECT_EQ(error.line, c.line) << c.script;
        EXPECT_EQ(error.message, c.error) << c.script;
    }
}

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(UiDriverBmp, WritesBottomUpPaddedRows) {
    // 3x2: top row red green blue, bottom row white black grey (BGRA quads).
    const std::vector<uint8_t> pixels = {
        0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 128, 128, 128, 0,
    };
    const std::vector<uint8_t> bmp = MakeBmp24(3, 2, pixels);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Read32(bmp, 2), bmp.size());
    EXPECT_EQ(Read32(bmp, 10), 54u);  // pixel data offset
    EXPECT_EQ(Read32(bmp, 18), 3u);   // width
    EXPECT_EQ(Read32(bmp, 22), 2u);   // height, bottom-up
    EXPECT_EQ(bmp[28], 24);           // bits per pixel
    EXPECT_EQ(Read32(bmp, 34), 24u);  // image size
    const std::vector<uint8_t> rows(bmp.begin() + 54, bmp.end());
    const std::vector<uint8_t> expected = {
        255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,
    };
    EXPECT_EQ(rows, expected);
}

TEST(UiDriverBmp, RefusesSizesThatDoNotMatchThePixels) {
    EXPECT_TRUE(MakeBmp24(0, 1, {}).empty());
    EXPECT_TRUE(MakeBmp24(1, -1, {}).empty());
    EXPECT_TRUE(MakeBmp24(2, 1, std::vector<uint8_t>(4)).empty());
    EXPECT_EQ(MakeBmp24(1, 1, std::vector<uint8_t>(4)).size(), 54u + 4);
}

}  // namespace
