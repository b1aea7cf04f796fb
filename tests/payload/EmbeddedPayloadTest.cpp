// A program that carries an archive as its embedded payload finds it in its
// own image, reads it with the memory reader and gets the same answers as the
// file reader gives from the archive file the payload was made from.
//
// Built once per embedded archive; the compile definitions name the archive
// file, one key with its value and one entry with its source file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pgr/ExtractEntry.h"
#include "pgr/MemPGR.h"
#include "pgr/Payload.h"
#include "pgr/PgrStrings.h"
#include "pgr/PgrTransforms.h"

namespace {

const DisplayInfo kDisplay{0, 768, 1024};

std::vector<uint8_t> ReadWholeFile(const char* path) {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(path, "rb");
    EXPECT_NE(f, nullptr) << path;
    if (!f)
        return bytes;
    uint8_t buffer[65536];
    while (size_t n = fread(buffer, 1, sizeof buffer, f))
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(f);
    return bytes;
}

std::vector<uint8_t> Extracted(CReadPGR& reader, const char* name) {
    const ExtractedEntry e = ExtractEntry(reader, name);
    EXPECT_EQ(e.status, ExtractStatus::Extracted) << name << ": " << ExtractStatusMessage(e.status);
    return e.data ? std::vector<uint8_t>(e.data.get(), e.data.get() + e.length) : std::vector<uint8_t>();
}

class EmbeddedPayload : public ::testing::Test {
  protected:
    void SetUp() override {
        InitNoiseTable();
        FindPayload(&m_start, &m_length);
    }
    const uint8_t* m_start = nullptr;
    uint32_t m_length = 0;
};

TEST_F(EmbeddedPayload, ArraysLieBackToBackAndHoldTheArchive) {
    ASSERT_TRUE(CheckPayloadContiguous());
    const std::vector<uint8_t> archive = ReadWholeFile(ARCHIVE_PATH);
    ASSERT_EQ(m_length, archive.size());
    EXPECT_EQ(memcmp(m_start, archive.data(), archive.size()), 0);
    // A short archive is padded to six full arrays with zero bytes.
    const size_t padded = (kPayloadArrayCount - 1) * kPayloadArraySize;
    for (size_t i = archive.size(); i < padded; i++)
        ASSERT_EQ(m_start[i], 0) << "padding byte " << i;
}

TEST_F(EmbeddedPayload, MemoryReaderReadsThePayloadInTheProgramImage) {
    CMemPGR reader(m_start, m_length, kDisplay);
    EXPECT_EQ(RegisteredMemoryReader(), &reader);
    ASSERT_EQ(reader.ReadFile(), kPgrOk);
    const char* value = reader.GetKey(SAMPLE_KEY);
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(value, SAMPLE_VALUE);
    EXPECT_EQ(Extracted(reader, SAMPLE_ENTRY), ReadWholeFile(SAMPLE_SOURCE));
}

TEST_F(EmbeddedPayload, ZeroPaddingLeavesTheChecksumUnchanged) {
    const uint32_t padded = static_cast<uint32_t>((kPayloadArrayCount - 1) * kPayloadArraySize);
    if (m_length >= padded || m_length <= 200)
        GTEST_SKIP() << "no padding to read, or too short to be summed";
    CMemPGR reader(m_start, padded, kDisplay);
    EXPECT_EQ(reader.ReadFile(), kPgrOk);
}

TEST_F(EmbeddedPayload, EveryEntryAndKeyMatchesTheArchiveFile) {
    CMemPGR memory(m_start, m_length, kDisplay);
    CReadPGR file(ARCHIVE_PATH, kDisplay);
    ASSERT_EQ(memory.ReadFile(), kPgrOk);
    ASSERT_EQ(file.ReadFile(), kPgrOk);
    ASSERT_EQ(memory.FileCount(), file.FileCount());
    ASSERT_EQ(memory.KeyCount(), file.KeyCount());
    for (int32_t i = 0; i < memory.FileCount(); i++) {
        std::string name;
        ASSERT_TRUE(TableStringText(memory.StringTable(), memory.FileEntry(i).nameOffset, name));
        EXPECT_EQ(Extracted(memory, name.c_str()), Extracted(file, name.c_str())) << name;
    }
}

}  // namespace
