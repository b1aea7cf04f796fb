#include <gtest/gtest.h>

#include "install/portable/InstallRecord.h"

namespace {

InstallRecord SampleRecord() {
    InstallRecord record;
    record.product = "Orvalis Image Editor";
    record.Add(RecordKind::Directory, "C:\\Program Files\\Orvalis");
    record.Add(RecordKind::File, "C:\\Program Files\\Orvalis\\Orvalis.exe");
    record.Add(RecordKind::Link, "C:\\users\\Public\\Desktop\\Orvalis.lnk");
    record.Add(RecordKind::Key, "Software\\Orvalis\\Image Editor", "HKCU");
    record.Add(RecordKind::EmptyKey, "Software\\Orvalis", "HKCU");
    return record;
}

TEST(InstallRecord, FormatIsThePlainDocumentedText) {
    const std::string text = FormatInstallRecord(SampleRecord());
    const std::string body =
        "Orvalis install record 1\r\n"
        "product\tOrvalis Image Editor\r\n"
        "directory\tC:\\Program Files\\Orvalis\r\n"
        "file\tC:\\Program Files\\Orvalis\\Orvalis.exe\r\n"
        "link\tC:\\users\\Public\\Desktop\\Orvalis.lnk\r\n"
        "key\tHKCU\tSoftware\\Orvalis\\Image Editor\r\n"
        "emptykey\tHKCU\tSoftware\\Orvalis\r\n";
    ASSERT_EQ(text.substr(0, body.size()), body);
    EXPECT_EQ(text.substr(body.size(), 6), "end\t5\t");
    EXPECT_EQ(text.size(), body.size() + 6 + 8 + 2);
}

TEST(InstallRecord, RoundTripsEveryKind) {
    const InstallRecord record = SampleRecord();
    const RecordReading reading = ParseInstallRecord(FormatInstallRecord(record));
    ASSERT_EQ(reading.problem, RecordProblem::None);
    EXPECT_EQ(reading.record.product, record.product);
    EXPECT_EQ(reading.record.items, record.items);
}

TEST(InstallRecord, AnEmptyRecordIsStillARecord) {
    const RecordReading reading = ParseInstallRecord(FormatInstallRecord({}));
    EXPECT_EQ(reading.problem, RecordProblem::None);
    EXPECT_TRUE(reading.record.items.empty());
}

TEST(InstallRecord, AddRefusesTextsTheFormatCannotHoldAndKeepsNoDuplicates) {
    InstallRecord record;
    EXPECT_FALSE(record.Add(RecordKind::File, "C:\\a\tb"));
    EXPECT_FALSE(record.Add(RecordKind::File, "C:\\a\r\nfile\tC:\\other"));
    EXPECT_FALSE(record.Add(RecordKind::File, ""));
    EXPECT_TRUE(record.Add(RecordKind::File, "C:\\a"));
    EXPECT_TRUE(record.Add(RecordKind::File, "C:\\a"));
    EXPECT_TRUE(record.Add(RecordKind::Link, "C:\\a"));
    EXPECT_EQ(record.items.size(), 2u);
}

// A second installation over the first keeps what the first created (its
// directories and keys already stand, so the second one does not create
// them again), earlier items first.
TEST(InstallRecord, MergeKeepsTheEarlierItemsFirst) {
    InstallRecord earlier;
    earlier.Add(RecordKind::Directory, "C:\\P\\Orvalis");
    earlier.Add(RecordKind::File, "C:\\P\\Orvalis\\a.txt");
    InstallRecord later;
    later.Add(RecordKind::File, "C:\\P\\Orvalis\\a.txt");
    later.Add(RecordKind::File, "C:\\P\\Orvalis\\b.txt");
    later.Merge(earlier);
    ASSERT_EQ(later.items.size(), 3u);
    EXPECT_EQ(later.items[0].path, "C:\\P\\Orvalis");
    EXPECT_EQ(later.items[1].path, "C:\\P\\Orvalis\\a.txt");
    EXPECT_EQ(later.items[2].path, "C:\\P\\Orvalis\\b.txt");
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(InstallRecord, DamagedRecordsAreRefusedWithTheirLine) {
    const std::string good = FormatInstallRecord(SampleRecord());
    const size_t endLine = good.rfind("end\t");
    struct Case {
        const char* what;
        std::string text;
        RecordProblem problem;
        size_t line;
    } cases[] = {
        {"empty file", "", RecordProblem::NotARecord, 1},
        {"other heading", Replaced(good, "record 1", "record 2"), RecordProblem::NotARecord, 1},
        {"heading with LF only", Replaced(good, "record 1\r\n", "record 1\n"), RecordProblem::NotARecord, 1},
        {"cut before the end line", good.substr(0, endLine), RecordProblem::Incomplete, 7},
        {"cut inside the end line", good.substr(0, good.size() - 3), RecordProblem::Incomplete, 7},
        {"cut inside an item", good.substr(0, good.find("Orvalis.exe")), RecordProblem::Incomplete, 3},
        {"unknown kind", Replaced(good, "link\t", "shortcut\t"), RecordProblem::BadLine, 5},
        {"key without root", Replaced(good, "key\tHKCU\t", "key\t"), RecordProblem::BadLine, 6},
        {"key with unknown root", Replaced(good, "key\tHKCU\t", "key\tHKCR\t"), RecordProblem::BadLine, 6},
        {"file with empty path", Replaced(good, "C:\\Program Files\\Orvalis\\Orvalis.exe", ""), RecordProblem::BadLine,
         4},
        {"item count", Replaced(good, "end\t5", "end\t4"), RecordProblem::WrongItemCount, 8},
        {"count not a number", Replaced(good, "end\t5", "end\t5x"), RecordProblem::BadLine, 8},
        {"altered path", Replaced(good, "Orvalis.exe", "Orvalis.exf"), RecordProblem::WrongChecksum, 8},
        {"line after the end", good + "file\tC:\\x\r\n", RecordProblem::TextAfterEnd, 8},
    };
    for (const Case& c : cases) {
        const RecordReading reading = ParseInstallRecord(c.text);
        EXPECT_EQ(reading.problem, c.problem) << c.what;
        EXPECT_EQ(reading.line, c.line) << c.what;
        EXPECT_TRUE(reading.record.items.empty()) << c.what << ": a refused record gives nothing to remove";
    }
}

}  // namespace
