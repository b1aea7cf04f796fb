// Damaged and hostile archives: each one gives its expected result, and none
// makes the reader touch memory outside its buffers (the sanitizer build runs
// these too).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "install/portable/Bits16.h"
#include "pgr/ExtractEntry.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrTransforms.h"
#include "tests/unit/ArchiveFixtures.h"
#include "tools/pgrtool/Scramble.h"

namespace {

using Edit = std::function<void(ArchiveEditor&)>;

void FlipBit(std::vector<uint8_t>& a, size_t at) { a[at] ^= 0x10; }

std::string Text(const char* value) { return value ? "\"" + std::string(value) + "\"" : "(null)"; }

// The sample's keys with the value GetKey gives and the one GetNextKey gives
// right after it, on a reader that loaded the sample.
constexpr struct {
    const char* name;
    const char* value;
    const char* next;
} kSampleKeys[] = {
    {"FILES", "first.dll", "second.dll"},
    {"TARGET", "app", "sys"},
    {"MAINLINKNAME", "Orvalis", nullptr},
    {"UNINSTALL:KEYNAME", "Orvalis 3", nullptr},
    {"EMPTY", "", nullptr},
};

// What one entry of a loaded sample gives: the size FindFile stores, the size
// FileSizeAt gives at the data offset FindFile returns, and the file.
struct EntryAnswer {
    const char* name;
    int32_t size;
    int32_t sizeAt;
    uint32_t length;
    std::optional<std::vector<uint8_t>> bytes;  // when the case can know them
};
using EntryAnswers = std::vector<EntryAnswer>;

EntryAnswers SampleEntries(const ArchiveEditor& sound) {
    const auto stored = [&](int index) { return sound.File(index).size; };
    return {
        {"README_TXT", stored(0), stored(0), 3003, SampleReadme()},
        {"#PLAIN", stored(1), stored(1), 13, Bytes("kept as it is")},
        {"BIG", stored(2), stored(2), 9000, std::vector<uint8_t>(9000, 0x42)},
        {"EIGHT", stored(3), stored(3), 8, Bytes("ZLIB\x01\x02\x03\x04")},
    };
}

// Every lookup and every extraction, each checked: a reader that refused its
// archive (entries null) answers nothing at all, one that loaded it answers
// as entries says. Run under the sanitizers, this also shows that neither
// kind touches memory outside its buffers.
void ExerciseEverything(CMemPGR& reader, const EntryAnswers* entries, const std::string& what) {
    for (const auto& key : kSampleKeys) {
        EXPECT_EQ(Text(reader.GetKey(key.name)), Text(entries ? key.value : nullptr)) << what << ": " << key.name;
        EXPECT_EQ(Text(reader.GetNextKey(key.name)), Text(entries ? key.next : nullptr)) << what << ": " << key.name;
    }
    for (const char* name : {"README_TXT", "#PLAIN", "BIG", "EIGHT"}) {
        const std::string where = what + ": " + name;
        EntryAnswer want{name, 0, -1, 0, std::nullopt};
        if (entries)
            for (const EntryAnswer& answer : *entries)
                if (std::string(answer.name) == name)
                    want = answer;
        int32_t size = -2;
        const int32_t offset = reader.FindFile(name, &size);
        EXPECT_EQ(offset >= 0, entries != nullptr) << where;
        EXPECT_EQ(size, want.size) << where;
        EXPECT_EQ(reader.FileSizeAt(offset), want.sizeAt) << where;
        const ExtractedEntry e = ExtractEntry(reader, name);
        EXPECT_EQ(e.status, entries ? ExtractStatus::Extracted : ExtractStatus::NotFound) << where;
        EXPECT_EQ(e.length, want.length) << where;
        if (e.status == ExtractStatus::Extracted && want.bytes) {
            EXPECT_EQ(std::vector<uint8_t>(e.data.get(), e.data.get() + e.length), *want.bytes) << where;
        }
    }
}

// An archive far longer than memory could hold, for counts that no fixture in
// memory can carry: the pieces given, at their offsets, and zeros elsewhere.
class SparseArchiveReader : public CReadPGR {
  public:
    struct Piece {
        int64_t offset;
        std::vector<uint8_t> bytes;
    };
    SparseArchiveReader(std::vector<Piece> pieces, int64_t length)
        : CReadPGR("sparse", kTestDisplay), m_pieces(std::move(pieces)), m_length(length) {}

    size_t IoRead(void* buffer, size_t, size_t count, FILE*) override {
        const int64_t from = m_position;
        const int64_t got = std::clamp<int64_t>(m_length - from, 0, static_cast<int64_t>(count));
        uint8_t* out = static_cast<uint8_t*>(buffer);
        memset(out, 0, static_cast<size_t>(got));
        for (const Piece& p : m_pieces) {
            const int64_t begin = std::max(from, p.offset);
            const int64_t end = std::min(from + got, p.offset + static_cast<int64_t>(p.bytes.size()));
            if (begin < end)
                memcpy(out + (begin - from), p.bytes.data() + (begin - p.offset), static_cast<size_t>(end - begin));
        }
        m_position += got;
        return static_cast<size_t>(got);
    }
    FILE* IoOpen(const char*, const char*) override {
        m_position = 0;
        return reinterpret_cast<FILE*>(&m_position);  // a token, never used as a stream
    }
    int IoClose(FILE*) override { return 0; }
    int32_t IoSeek(FILE*, int32_t offset, int) override {
        m_position = offset;
        return offset;
    }
    int64_t IoLength(FILE*) override { return m_length; }

  private:
    std::vector<Piece> m_pieces;
    int64_t m_length;
    int64_t m_position = 0;
};

class PgrDamage : public ::testing::Test {
  protected:
    void SetUp() override { InitNoiseTable(); }
};

TEST_F(PgrDamage, DamagedArchivesAreRefusedWithTheirReason) {
    const std::vector<uint8_t> sound = SampleArchive();
    const int32_t files = 4, keys = 7;
    struct Case {
        const char* what;
        Edit edit;
        int expected;
        // How a loaded archive's answers differ from the sample's.
        std::function<void(EntryAnswers&)> answersDiffer = nullptr;
    } cases[] = {
        {"sound", [](ArchiveEditor&) {}, kPgrOk},
        // Damage the checksum sees.
        {"bit flip in the checksum word", [](ArchiveEditor& e) { e.Raw([](auto& a) { FlipBit(a, 1); }); }, kPgrChecksumMismatch},
        {"bit flip in the header", [](ArchiveEditor& e) { e.Raw([](auto& a) { FlipBit(a, 20); }); }, kPgrChecksumMismatch},
        {"bit flip in the directory", [](ArchiveEditor& e) { e.Raw([](auto& a) { FlipBit(a, 50); }); }, kPgrChecksumMismatch},
        {"bit flip in the last data byte", [](ArchiveEditor& e) { e.Raw([](auto& a) { FlipBit(a, a.size() - 1); }); }, kPgrChecksumMismatch},
        {"truncated by one byte", [](ArchiveEditor& e) { e.Raw([](auto& a) { a.pop_back(); }); }, kPgrChecksumMismatch},
        {"truncated to its header", [](ArchiveEditor& e) { e.Raw([](auto& a) { a.resize(48); }); }, kPgrChecksumMismatch},
        {"empty", [](ArchiveEditor& e) { e.Raw([](auto& a) { a.clear(); }); }, kPgrChecksumMismatch},
        {"one byte appended", [](ArchiveEditor& e) { e.Raw([](auto& a) { a.push_back(1); }); }, kPgrChecksumMismatch},
        // Short archives are not summed: only the structure stands between them and the reader.
        {"20 bytes with the bare checksum word",
         [](ArchiveEditor& e) { e.Raw([](auto& a) { a.assign(20, 0); StoreLe32(a.data(), Pgr::kChecksumXor); }); },
         kPgrBrokenStructure},
        {"200 zero bytes with the bare checksum word",
         [](ArchiveEditor& e) { e.Raw([](auto& a) { a.assign(200, 0); StoreLe32(a.data(), Pgr::kChecksumXor); }); },
         kPgrBrokenStructure},
        // Damage behind a correct checksum.
        {"negative file count", [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::fileCount, -1); }, kPgrBrokenStructure},
        {"huge key count", [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::keyCount, INT32_MAX); }, kPgrBrokenStructure},
        {"string table past the end", [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::stringTableSize, 1 << 20); }, kPgrBrokenStructure},
        {"negative string table", [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::stringTableSize, -8); }, kPgrBrokenStructure},
        {"tables overflow 32 bits",
         [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::fileCount, 0x15555556).HeaderField(&PGRHeader::keyCount, 0x10000000); },
         kPgrBrokenStructure},
        {"file count one too many", [&](ArchiveEditor& e) { e.HeaderField(&PGRHeader::fileCount, files + 1); }, kPgrBrokenStructure},
        {"key count one too few", [&](ArchiveEditor& e) { e.HeaderField(&PGRHeader::keyCount, keys - 1); }, kPgrBrokenStructure},
        {"negative data base", [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::dataBase, -1); }, kPgrBrokenStructure},
        {"data base past the end", [](ArchiveEditor& e) { e.HeaderField(&PGRHeader::dataBase, INT32_MAX); }, kPgrBrokenStructure},
        {"entry name before the table", [](ArchiveEditor& e) { e.FileField(0, &PGRFileEntry::nameOffset, -1); }, kPgrBrokenStructure},
        {"entry name past the table",
         [](ArchiveEditor& e) { e.FileField(3, &PGRFileEntry::nameOffset, e.Header().stringTableSize); }, kPgrBrokenStructure},
        {"negative entry size", [](ArchiveEditor& e) { e.FileField(2, &PGRFileEntry::size, -1); }, kPgrBrokenStructure},
        {"entry data one byte past the end", [](ArchiveEditor& e) { e.FileField(3, &PGRFileEntry::size, 9); }, kPgrBrokenStructure},
        {"negative data offset", [](ArchiveEditor& e) { e.FileField(1, &PGRFileEntry::dataOffset, -4); }, kPgrBrokenStructure},
        {"data offset overflows", [](ArchiveEditor& e) { e.FileField(1, &PGRFileEntry::dataOffset, INT32_MAX); }, kPgrBrokenStructure},
        {"key name past the table",
         [](ArchiveEditor& e) { e.KeyField(6, &PGRKeyEntry::nameOffset, e.Header().stringTableSize + 100); }, kPgrBrokenStructure},
        {"negative key value", [](ArchiveEditor& e) { e.KeyField(0, &PGRKeyEntry::valueOffset, INT32_MIN); }, kPgrBrokenStructure},
        {"string table without its last zero",
         [](ArchiveEditor& e) { e.StringByte(e.Header().stringTableSize - 1, 'x'); }, kPgrBrokenStructure},
        // Still sound: entries may share their data. EIGHT's 8 bytes are then
        // the start of BIG's first block, descrambled as a unit of their own,
        // and BIG, first in the directory, is the entry at that data offset.
        {"two entries on the same data",
         [](ArchiveEditor& e) { e.FileField(3, &PGRFileEntry::dataOffset, e.File(2).dataOffset); }, kPgrOk,
         [](EntryAnswers& answers) { answers[3] = {"EIGHT", 8, 9000, 8, std::nullopt}; }},
    };
    const ArchiveEditor soundLayout(sound);
    for (const Case& c : cases) {
        ArchiveEditor editor(sound);
        c.edit(editor);
        const std::vector<uint8_t>& archive = editor.Archive();
        CMemPGR reader(archive.data(), static_cast<uint32_t>(archive.size()), kTestDisplay);
        EXPECT_EQ(reader.ReadFile(), c.expected) << c.what;
        EntryAnswers answers = SampleEntries(soundLayout);
        if (c.answersDiffer)
            c.answersDiffer(answers);
        ExerciseEverything(reader, c.expected == kPgrOk ? &answers : nullptr, c.what);
        if (c.expected != kPgrOk) {
            EXPECT_EQ(reader.FileCount(), 0) << c.what;
        }
    }
}

TEST_F(PgrDamage, DamagedEntriesAreCorrupt) {
    const std::vector<uint8_t> sound = SampleArchive();
    const int readme = 0;
    auto declaredLength = [](uint32_t length) {
        return [=](ArchiveEditor& e) {
            e.FirstDataBlock(readme, [=](uint8_t* block, int32_t) { StoreLe32(block + 4, length); });
        };
    };
    struct Case {
        const char* what;
        Edit edit;
        ExtractStatus expected;
    } cases[] = {
        {"sound", [](ArchiveEditor&) {}, ExtractStatus::Extracted},
        {"declared one byte longer", declaredLength(3004), ExtractStatus::Corrupt},
        {"declared one byte shorter", declaredLength(3002), ExtractStatus::Corrupt},
        {"declared length zero", declaredLength(0), ExtractStatus::Corrupt},
        {"declared 4 GiB", declaredLength(UINT32_MAX), ExtractStatus::Corrupt},
        {"declared more than any inflate gives", declaredLength(1u << 30), ExtractStatus::Corrupt},
        {"zlib header damaged",
         [](ArchiveEditor& e) { e.FirstDataBlock(readme, [](uint8_t* b, int32_t) { b[8] ^= 0xFF; }); },
         ExtractStatus::Corrupt},
        {"deflate data damaged",
         [](ArchiveEditor& e) { e.FirstDataBlock(readme, [](uint8_t* b, int32_t n) { b[n / 2] ^= 0x55; }); },
         ExtractStatus::Corrupt},
        {"stream ends early",
         [](ArchiveEditor& e) { e.FirstDataBlock(readme, [](uint8_t* b, int32_t n) { memset(b + 12, 0, n - 12); }); },
         ExtractStatus::Corrupt},
    };
    for (const Case& c : cases) {
        ArchiveEditor editor(sound);
        c.edit(editor);
        const std::vector<uint8_t>& archive = editor.Archive();
        CMemPGR reader(archive.data(), static_cast<uint32_t>(archive.size()), kTestDisplay);
        ASSERT_EQ(reader.ReadFile(), kPgrOk) << c.what;
        const ExtractedEntry e = ExtractEntry(reader, "README_TXT");
        EXPECT_EQ(e.status, c.expected) << c.what;
        EXPECT_TRUE(e.compressed) << c.what;
        EXPECT_EQ(e.data != nullptr, c.expected == ExtractStatus::Extracted) << c.what;
    }
}

// A table unit longer than 2^31 - 1 bytes, in an archive long enough to hold
// it, must be refused rather than have its length cast to 32 bits and its
// descrambling skipped. The zeros of the unscrambled tables would otherwise
// read as entries and keys that all name the one empty string, and load.
TEST_F(PgrDamage, TablesLongerThanAUnitCanBeAreRefused) {
    struct Case {
        const char* what;
        int32_t fileCount;
        int32_t keyCount;
    } cases[] = {
        {"directory of 2^31 + 4 bytes", 0x0AAAAAAB, 0},
        {"key table of 2^31 bytes", 0, 0x10000000},
    };
    for (const Case& c : cases) {
        PGRHeader plain{};
        plain.fileCount = c.fileCount;
        plain.keyCount = c.keyCount;
        plain.stringTableSize = 1;
        const TableUnit strings = TableUnitsOf(plain)[2];
        std::vector<uint8_t> header(sizeof plain), stringTable{0};
        memcpy(header.data(), &plain, sizeof plain);
        ScrambleHeaderAndTables(header.data(), header.size());
        ScrambleTable(stringTable.data(), 1, strings.key);
        const uint32_t sum = AddBytes(stringTable[0], header.data() + 4, header.size() - 4);
        StoreLe32(header.data(), sum ^ Pgr::kChecksumXor);

        SparseArchiveReader reader({{0, header}, {strings.offset, stringTable}}, strings.offset + strings.length);
        EXPECT_EQ(reader.ReadFile(), kPgrBrokenStructure) << c.what;
        EXPECT_EQ(reader.FileCount(), 0) << c.what;
        EXPECT_EQ(reader.KeyCount(), 0) << c.what;
    }
}

// Scrambled strings that decode to garbage, or to bytes with no terminating
// zero, simply match nothing; values decoded from them are still terminated.
TEST_F(PgrDamage, GarbledScrambledStringsMatchNothing) {
    ArchiveEditor editor(SampleArchive());
    const int32_t mainName = editor.Key(4).nameOffset, mainValue = editor.Key(4).valueOffset;
    const int32_t readmeName = editor.File(0).nameOffset;
    editor.StringByte(mainName + 2, 'o').StringByte(readmeName + 3, '0').StringByte(mainValue + 1, 'o');
    const std::vector<uint8_t>& archive = editor.Archive();
    CMemPGR reader(archive.data(), static_cast<uint32_t>(archive.size()), kTestDisplay);
    ASSERT_EQ(reader.ReadFile(), kPgrOk);
    EXPECT_EQ(reader.GetKey("MAINLINKNAME"), nullptr);
    EXPECT_EQ(reader.FindFile("README_TXT", nullptr), -1);
    // Key 4's value, reached through its name no more, is still readable as a string.
    ArchiveEditor renamed(archive);
    renamed.KeyField(4, &PGRKeyEntry::nameOffset, editor.Key(5).nameOffset);
    CMemPGR second(renamed.Archive().data(), static_cast<uint32_t>(renamed.Archive().size()), kTestDisplay);
    ASSERT_EQ(second.ReadFile(), kPgrOk);
    const char* value = second.GetKey("UNINSTALL:KEYNAME");
    ASSERT_NE(value, nullptr);
    EXPECT_LT(strlen(value), 500u);
}

}  // namespace
