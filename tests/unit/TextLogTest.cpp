#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <ctime>
#include <string>

#include "toolkit/portable/options/ColourTable.h"
#include "toolkit/portable/text/Markup.h"
#include "toolkit/portable/textwindow/TextLog.h"

namespace {

using namespace std::string_literals;

const char kRule[] = "-----------------------------------------------------------------\n";

std::tm Time(int year, int month, int day, int weekday, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_wday = weekday;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

const std::tm kThursday = Time(2026, 12, 10, 4, 1, 43, 28);

std::string Logged(const std::string& text, size_t capacity = kLogLineCapacity) {
    return LogLine(text.data(), text.size(), capacity);
}

TEST(TextLog, WritesTheTimeAsAsctimeDoes) {
    const struct {
        std::tm time;
        const char* text;
    } cases[] = {
        {kThursday, "Thu Dec 10 01:43:28 2026\n"},
        {Time(1999, 1, 5, 2, 23, 5, 9), "Tue Jan  5 23:05:09 1999\n"},
        {Time(2026, 13, 1, 7, 0, 0, 0), "??? ???  1 00:00:00 2026\n"},
        {Time(2026, 0, 1, -1, 0, 0, 0), "??? ???  1 00:00:00 2026\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AsctimeText(c.time), c.text);
    std::tm extreme = kThursday;
    extreme.tm_year = INT_MAX;  // asctime's own buffer would overflow here
    EXPECT_EQ(AsctimeText(extreme), "Thu Dec 10 01:43:28 " + std::to_string(1900LL + INT_MAX) + "\n");
}

TEST(TextLog, HeaderNamesTheWindowOrSaysItIsUntitled) {
    const std::string stamp = "Thu Dec 10 01:43:28 2026\n";
    const std::string opening = kRule + ":: Corvane Log -+- "s + stamp;
    const std::string closing = kRule + "\n"s;
    const struct {
        const char* title;
        std::string middle;
    } cases[] = {
        {"Setup", ":: Log for TextWindow Class Window 'Setup'.\n"},
        {"100% %s", ":: Log for TextWindow Class Window '100% %s'.\n"},
        {"", stamp + " -- Corvane Start Log for (Untitled) TextWindow.\n"},
        {nullptr, stamp + " -- Corvane Start Log for (Untitled) TextWindow.\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogHeader(kThursday, c.title), opening + c.middle + closing) << (c.title ? c.title : "null");
}

TEST(TextLog, LogsTheSourceWithTildeSequencesAndCodesRemoved) {
    const struct {
        const char* why;
        std::string text;
        std::string logged;
    } cases[] = {
        {"markup stays as written", "{b}blue{/} plain", "{b}blue{/} plain\r\n"},
        {"an empty text", "", "\r\n"},
        {"line feeds are kept", "a\nb\n", "a\nb\n\r\n"},
        {"seven bytes after 0x01", "a{~\x01wxyzb", "ab\r\n"},
        {"three bytes otherwise", "a{~xb", "ab\r\n"},
        {"after 0x06 in steps of two to 0x01", "a{~\x06wx\x01" "b", "ab\r\n"},
        {"an 0x01 between the steps is passed", "a{~\x06w\x01xyz\x01" "b", "a\r\n"},
        {"a sequence past the end takes the rest", "a{~\x01wx", "a\r\n"},
        {"a 0x06 sequence without 0x01", "a{~\x06wxyz", "a\r\n"},
        {"a lone {~ at the end", "a{~", "a\r\n"},
        {"sequences follow each other", "{~x{~yab", "ab\r\n"},
        {"{{~ keeps its first brace", "{{~xa", "{a\r\n"},
        {"a tilde alone stays", "~{ ~", "~{ ~\r\n"},
        {"a compiled code goes", "\x01\x01\x01\x02\x03" "blue", "blue\r\n"},
        {"so does a truncated one", "ab\x01\x07\x00\x00"s, "ab\r\n"},
        {"an 0x01 that is no code stays", "a\x01\x06" "b", "a\x01\x06" "b\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Logged(c.text), c.logged) << c.why;
    EXPECT_EQ(LogLine(nullptr, 10), "\r\n");
}

TEST(TextLog, CompiledMarkupLogsItsPlainCharacters) {
    const CColourTable colours;
    const MarkupText compiled = CompileMarkup("{b}blue{/} plain", colours, nullptr);
    ASSERT_TRUE(compiled.compiled);
    EXPECT_EQ(LogLine(compiled.Text(), compiled.Length()), "blue plain\r\n");
    EXPECT_EQ(LogLine(compiled.source, compiled.sourceLength), "{b}blue{/} plain\r\n");
}

TEST(TextLog, CutsALongTextAndStillEndsTheLine) {
    const struct {
        std::string text;
        size_t capacity;
        std::string logged;
    } cases[] = {
        {"abcdefgh", 8, "abcdef\r\n"},
        {"abcdef", 8, "abcdef\r\n"},
        {"\x01\x01\x01\x02\x03" "abcdefgh", 8, "abcdef\r\n"},  // removed bytes take no room
        {"{~xabcdefgh", 8, "abcdef\r\n"},
        {"abc", 2, "\r\n"},
        {"abc", 0, "\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Logged(c.text, c.capacity), c.logged) << c.text << " in " << c.capacity;
    const std::string logged = Logged(std::string(3 * kLogLineCapacity, 'x'));
    EXPECT_EQ(logged, std::string(kLogLineCapacity - 2, 'x') + "\r\n");
}

class TextLogFile : public ::testing::Test {
  protected:
    std::string TempPath() const {
        return ::testing::TempDir() + "text-log-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }

    static std::string Contents(const std::string& path) {
        std::string bytes;
        if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
            char chunk[512];
            size_t read;
            while ((read = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
                bytes.append(chunk, read);
            std::fclose(f);
        }
        return bytes;
    }
};

TEST_F(TextLogFile, StartTwiceWritesTheHeaderOnceAndEndWritesTheFooter) {
    const std::string path = TempPath();
    CTextLog log;
    log.Log("before", 6);  // not logging yet: dropped
    EXPECT_TRUE(log.Start(path.c_str(), kThursday, "Setup"));
    EXPECT_TRUE(log.Start(path.c_str(), kThursday, "Other"));
    log.Log("{b}blue{/} plain", 16);
    log.Log("", 0);
    log.End();
    EXPECT_FALSE(log.IsLogging());
    log.Log("after", 5);
    log.End();
    EXPECT_EQ(Contents(path), LogHeader(kThursday, "Setup") + "{b}blue{/} plain\r\n\r\n" + kLogFooter);
    std::remove(path.c_str());
}

TEST_F(TextLogFile, TheDestructorEndsTheLog) {
    const std::string path = TempPath();
    {
        CTextLog log;
        ASSERT_TRUE(log.Start(path.c_str(), kThursday, nullptr));
        log.Log("x", 1);
    }
    EXPECT_EQ(Contents(path), LogHeader(kThursday, nullptr) + "x\r\n" + kLogFooter);
    std::remove(path.c_str());
}

TEST_F(TextLogFile, StartFailsWithoutAPathOrAFile) {
    const std::string unopenable = TempPath() + "-missing/dir/log.txt";
    const char* paths[] = {nullptr, "", unopenable.c_str()};
    for (const char* path : paths) {
        CTextLog log;
        EXPECT_FALSE(log.Start(path, kThursday, "Setup")) << (path ? path : "null");
        EXPECT_FALSE(log.IsLogging());
    }
}

}  // namespace
