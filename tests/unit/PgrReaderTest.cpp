// The readers over memory and over a file: lookups, the key cursor, entry
// extraction and positioning, on archives made by the builder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pgr/ExtractEntry.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrStrings.h"
#include "pgr/PgrTransforms.h"
#include "tests/unit/ArchiveFixtures.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

std::string Text(const char* value) { return value ? value : "(null)"; }

std::vector<uint8_t> Extracted(CReadPGR& reader, const char* name) {
    const ExtractedEntry e = ExtractEntry(reader, name);
    EXPECT_EQ(e.status, ExtractStatus::Extracted) << name << ": " << ExtractStatusMessage(e.status);
    return e.status == ExtractStatus::Extracted ? std::vector<uint8_t>(e.data.get(), e.data.get() + e.length)
                                                : std::vector<uint8_t>();
}

class PgrReader : public ::testing::Test {
  protected:
    void SetUp() override {
        InitNoiseTable();
        m_archive = SampleArchive();
        m_reader = std::make_unique<CMemPGR>(m_archive.data(), static_cast<uint32_t>(m_archive.size()), kTestDisplay);
        ASSERT_EQ(m_reader->ReadFile(), kPgrOk);
    }

    std::string TempPath(const std::string& name) const {
        return ::testing::TempDir() + "pgr-reader-" + name + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }

    static void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr) << path;
        ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        ASSERT_EQ(fclose(f), 0);
    }

    std::vector<uint8_t> m_archive;
    std::unique_ptr<CMemPGR> m_reader;
};

TEST_F(PgrReader, FindsKeysPlainOrScrambledQualifiedOrNot) {
    struct Case {
        const char* name;
        const char* qualifier;
        const char* value;
    } cases[] = {
        {"MAINLINKNAME", nullptr, "Orvalis"},           // scrambled name and value
        {"UNINSTALL", "KEYNAME", "Orvalis 3"},          // plain name and value
        {"UNINSTALL:KEYNAME", nullptr, "Orvalis 3"},
        {"TARGET", nullptr, "app"},                     // plain name, scrambled value
        {"FILES", nullptr, "first.dll"},
        {"EMPTY", nullptr, ""},
        {"UNINSTALL", nullptr, nullptr},
        {"UNINSTALL", "", nullptr},
        {"mainlinkname", nullptr, nullptr},             // exact case only
        {"MAINLINKNAM", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(m_reader->GetKey(c.name, c.qualifier)), Text(c.value))
            << c.name << (c.qualifier ? ":" : "") << (c.qualifier ? c.qualifier : "");
}

TEST_F(PgrReader, NextKeyWalksInterleavedKeysInTableOrder) {
    EXPECT_EQ(Text(m_reader->GetKey("FILES")), "first.dll");
    EXPECT_EQ(Text(m_reader->GetNextKey("TARGET")), "app");
    EXPECT_EQ(Text(m_reader->GetNextKey("FILES")), "second.dll");
    EXPECT_EQ(Text(m_reader->GetNextKey("TARGET")), "sys");
    EXPECT_EQ(m_reader->GetNextKey("FILES"), nullptr);
    // The failed lookup left the cursor on "TARGET sys": nothing follows it.
    EXPECT_EQ(m_reader->GetNextKey("TARGET"), nullptr);
    EXPECT_EQ(Text(m_reader->GetNextKey("MAINLINKNAME")), "Orvalis");
}

TEST_F(PgrReader, NextKeyBeforeAnyMatchStartsAtTheSecondEntry) {
    EXPECT_EQ(Text(m_reader->GetNextKey("FILES")), "second.dll");
}

TEST_F(PgrReader, FailedLookupLeavesTheCursor) {
    EXPECT_EQ(Text(m_reader->GetKey("TARGET")), "app");
    EXPECT_EQ(m_reader->GetKey("NOWHERE"), nullptr);
    EXPECT_EQ(m_reader->GetKey("UNINSTALL", "NOWHERE"), nullptr);
    EXPECT_EQ(Text(m_reader->GetNextKey("TARGET")), "sys");
}

TEST_F(PgrReader, OverlongWantedNamesMatchNothing) {
    const std::string name(400, 'N'), qualifier(111, 'Q');  // 512 with the colon
    EXPECT_EQ(m_reader->GetKey(name.c_str(), qualifier.c_str()), nullptr);
    EXPECT_EQ(m_reader->FindFile(std::string(5000, 'F').c_str(), nullptr), -1);
}

TEST_F(PgrReader, ScrambledValuesFollowEachOtherInTheRingAndWrap) {
    // "Orvalis" takes 8 bytes of the ring each time; values held at once stay intact.
    const char* held = m_reader->GetKey("MAINLINKNAME");
    const char* other = m_reader->GetKey("TARGET");
    EXPECT_STREQ(held, "Orvalis");
    EXPECT_STREQ(other, "app");

    const char* previous = m_reader->GetKey("MAINLINKNAME");
    bool wrapped = false;
    for (int i = 0; i < 600 && !wrapped; i++) {
        const char* next = m_reader->GetKey("MAINLINKNAME");
        ASSERT_STREQ(next, "Orvalis");
        if (next < previous) {
            wrapped = true;
            // The write position restarts at 0 once it passes 4000.
            EXPECT_GT(previous + 8 - next, kValueRingWrap);
            EXPECT_LE(previous - next, kValueRingWrap);
        } else {
            ASSERT_EQ(next, previous + 8);
        }
        previous = next;
    }
    EXPECT_TRUE(wrapped);
    // Plain values point into the string table and never move.
    EXPECT_EQ(m_reader->GetKey("UNINSTALL:KEYNAME"), m_reader->GetKey("UNINSTALL:KEYNAME"));
}

TEST_F(PgrReader, FindsFilesAndSizes) {
    int32_t size = -5;
    const int32_t big = m_reader->FindFile("BIG", &size);
    EXPECT_EQ(size, 9000);
    EXPECT_EQ(m_reader->FileSizeAt(big), 9000);
    EXPECT_EQ(m_reader->FindFile("#PLAIN", &size), m_reader->FileEntry(1).dataOffset);
    EXPECT_EQ(size, 13);
    EXPECT_EQ(m_reader->FindFile("README_TXT", nullptr), 0);

    EXPECT_EQ(m_reader->FindFile("NOWHERE", &size), -1);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(m_reader->FindFile("big", nullptr), -1);
    EXPECT_EQ(m_reader->FileSizeAt(big + 1), -1);
}

TEST_F(PgrReader, ExtractsEveryForm) {
    EXPECT_EQ(Extracted(*m_reader, "README_TXT"), SampleReadme());
    EXPECT_EQ(Extracted(*m_reader, "#PLAIN"), Bytes("kept as it is"));
    EXPECT_EQ(Extracted(*m_reader, "BIG"), std::vector<uint8_t>(9000, 0x42));
    // Eight bytes beginning with "ZLIB" are stored, not compressed.
    EXPECT_EQ(Extracted(*m_reader, "EIGHT"), Bytes("ZLIB\x01\x02\x03\x04"));

    const ExtractedEntry readme = ExtractEntry(*m_reader, "README_TXT");
    EXPECT_TRUE(readme.compressed);
    EXPECT_EQ(readme.length, 3003u);
    EXPECT_EQ(ExtractEntry(*m_reader, "NOWHERE").status, ExtractStatus::NotFound);
}

TEST_F(PgrReader, MemoryReadsStopAtTheEndOfTheBlock) {
    CMemPGR fresh(m_archive.data(), static_cast<uint32_t>(m_archive.size()), kTestDisplay);
    EXPECT_EQ(fresh.ReadData(nullptr, 0), kPgrNotOpen);
    // The token handle makes even a reader that never read its archive open.
    ASSERT_EQ(fresh.OpenAt(0), kPgrOk);

    // Ten bytes before the end of the archive.
    const int32_t last = static_cast<int32_t>(m_archive.size()) - m_reader->Header().dataBase - 10;
    ASSERT_EQ(m_reader->OpenAt(last), kPgrOk);
    std::vector<uint8_t> buffer(64, 0xEE);
    EXPECT_EQ(m_reader->ReadData(buffer.data(), 64), kPgrShortRead);
    EXPECT_EQ(buffer[10], 0xEE) << "nothing is written past what remained";
    ASSERT_EQ(m_reader->OpenAt(last), kPgrOk);
    EXPECT_EQ(m_reader->IoRead(buffer.data(), 1, 64, nullptr), 10u);
    EXPECT_EQ(m_reader->IoRead(buffer.data(), 1, 64, nullptr), 0u);
    // Positions past the end or before the start read nothing.
    for (int32_t offset : {last + 100, -1 - m_reader->Header().dataBase, INT32_MAX}) {
        ASSERT_EQ(m_reader->OpenAt(offset), kPgrOk);
        EXPECT_EQ(m_reader->IoRead(buffer.data(), 1, 64, nullptr), 0u) << offset;
    }
    EXPECT_EQ(m_reader->ReadData(buffer.data(), -1), kPgrShortRead);
    m_reader->CloseArchive();
    EXPECT_EQ(m_reader->ReadData(buffer.data(), 1), kPgrNotOpen);
}

TEST_F(PgrReader, LastConstructedMemoryReaderIsRegistered) {
    EXPECT_EQ(RegisteredMemoryReader(), m_reader.get());
    {
        CMemPGR second(m_archive.data(), static_cast<uint32_t>(m_archive.size()), kTestDisplay);
        EXPECT_EQ(RegisteredMemoryReader(), &second);
    }
    EXPECT_EQ(RegisteredMemoryReader(), nullptr) << "a destroyed reader is never handed out";
}

TEST_F(PgrReader, FileReaderGivesTheSameAnswers) {
    const std::string path = TempPath("archive");
    WriteFile(path, m_archive);
    CReadPGR file(path.c_str(), kTestDisplay);
    EXPECT_EQ(file.OpenAt(0), kPgrNotOpenable) << "never opened";
    ASSERT_EQ(file.ReadFile(), kPgrOk);
    EXPECT_EQ(Text(file.GetKey("UNINSTALL", "KEYNAME")), "Orvalis 3");
    EXPECT_EQ(Text(file.GetNextKey("EMPTY")), "");
    for (const char* name : {"README_TXT", "#PLAIN", "BIG", "EIGHT"})
        EXPECT_EQ(Extracted(file, name), Extracted(*m_reader, name)) << name;

    // Closed, it reopens the file; once the file is gone, reopening fails.
    file.CloseArchive();
    ASSERT_EQ(file.OpenAt(file.FindFile("#PLAIN", nullptr)), kPgrOk);
    char plain[4] = {};
    EXPECT_EQ(file.ReadData(plain, 4), kPgrOk);
    EXPECT_EQ(std::string(plain, 4), "kept");
    file.CloseArchive();
    ASSERT_EQ(remove(path.c_str()), 0);
    EXPECT_EQ(file.OpenAt(0), kPgrReopenFailed);
    EXPECT_EQ(CReadPGR(path.c_str(), kTestDisplay).ReadFile(), kPgrNotOpenable);
}

// A file reader that counts the streams it holds open, so that one it loses
// track of shows.
class StreamCountingReader : public CReadPGR {
  public:
    using CReadPGR::CReadPGR;
    FILE* IoOpen(const char* name, const char* mode) override {
        FILE* stream = CReadPGR::IoOpen(name, mode);
        m_nOpenStreams += stream ? 1 : 0;
        return stream;
    }
    int IoClose(FILE* handle) override {
        m_nOpenStreams--;
        return CReadPGR::IoClose(handle);
    }
    int OpenStreams() const { return m_nOpenStreams; }

  private:
    int m_nOpenStreams = 0;
};

TEST_F(PgrReader, ReadFileOnAnOpenReaderClosesItsStreamFirst) {
    const std::string path = TempPath("reread");
    WriteFile(path, m_archive);
    StreamCountingReader file(path.c_str(), kTestDisplay);
    ASSERT_EQ(file.ReadFile(), kPgrOk);
    EXPECT_EQ(file.OpenStreams(), 0);
    ASSERT_EQ(file.OpenAt(file.FindFile("#PLAIN", nullptr)), kPgrOk);
    EXPECT_EQ(file.OpenStreams(), 1);

    ASSERT_EQ(file.ReadFile(), kPgrOk);
    EXPECT_EQ(file.OpenStreams(), 0) << "the stream OpenAt opened is closed, not lost";
    EXPECT_EQ(Extracted(file, "#PLAIN"), Bytes("kept as it is"));
    file.CloseArchive();
    EXPECT_EQ(file.OpenStreams(), 0);
    remove(path.c_str());
}

// The checksum pass reads 102400 bytes at a time after the first four; this
// length ends it with a read of nothing.
TEST_F(PgrReader, ArchiveOfWholeChecksumBuffersReads) {
    constexpr int64_t kTarget = 2 * 102400 + 4;
    PgrBuilder probe;
    probe.AddEntry({"FILL", {}, false, true});
    probe.AddKey({"K", "v"});
    const int64_t overhead = static_cast<int64_t>(probe.Build().size());
    PgrBuilder b;
    b.AddEntry({"FILL", std::vector<uint8_t>(static_cast<size_t>(kTarget - overhead), 0x7A), false, true});
    b.AddKey({"K", "v"});
    const std::vector<uint8_t> archive = b.Build();
    ASSERT_EQ(static_cast<int64_t>(archive.size()), kTarget);

    CMemPGR memory(archive.data(), static_cast<uint32_t>(archive.size()), kTestDisplay);
    EXPECT_EQ(memory.ReadFile(), kPgrOk);
    const std::string path = TempPath("buffers");
    WriteFile(path, archive);
    CReadPGR file(path.c_str(), kTestDisplay);
    EXPECT_EQ(file.ReadFile(), kPgrOk);
    EXPECT_EQ(Extracted(file, "FILL"), Extracted(memory, "FILL"));
    remove(path.c_str());
}

// An archive of 200 bytes or less is not summed: its checksum word is the bare
// constant and damage to its other bytes goes unnoticed by the checksum.
TEST_F(PgrReader, ShortArchiveIsNotSummed) {
    PgrBuilder b;
    b.AddEntry({"#T", Bytes("tiny"), false, false});
    b.AddKey({"K", "v", false, false});
    std::vector<uint8_t> archive = b.Build();
    ASSERT_LE(archive.size(), 200u);
    archive.back() ^= 0x01;  // the last data byte
    CMemPGR reader(archive.data(), static_cast<uint32_t>(archive.size()), kTestDisplay);
    ASSERT_EQ(reader.ReadFile(), kPgrOk);
    EXPECT_EQ(Extracted(reader, "#T"), Bytes("tinx"));
}

TEST_F(PgrReader, NamesTooLongForTheWorkBuffersNeverMatch) {
    const std::string key499(499, 'K'), value450(450, 'x'), name399(399, 'n');
    PgrBuilder b;
    b.AddEntry({name399, Bytes("longest name"), false, true});
    b.AddEntry({"SHORT", Bytes("s"), false, true});
    b.AddKey({key499, "found"});
    b.AddKey({"LONG", value450});
    ArchiveEditor editor(b.Build());
    // Point the second entry's name at the 450-byte value: as a directory name
    // it does not fit the 400-byte work buffer.
    editor.FileField(1, &PGRFileEntry::nameOffset, editor.Key(1).valueOffset);
    const std::vector<uint8_t>& archive = editor.Archive();
    CMemPGR reader(archive.data(), static_cast<uint32_t>(archive.size()), kTestDisplay);
    ASSERT_EQ(reader.ReadFile(), kPgrOk);
    EXPECT_EQ(Text(reader.GetKey(key499.c_str())), "found");
    EXPECT_EQ(Text(reader.GetKey("LONG")), value450);
    EXPECT_EQ(Extracted(reader, name399.c_str()), Bytes("longest name"));
    EXPECT_EQ(reader.FindFile(value450.c_str(), nullptr), -1);
    EXPECT_EQ(reader.FindFile("SHORT", nullptr), -1);
}

}  // namespace
