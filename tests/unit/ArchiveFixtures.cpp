#include "tests/unit/ArchiveFixtures.h"

#include <gtest/gtest.h>

#include <cstring>

#include "install/portable/Bits16.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrTransforms.h"
#include "tools/pgrtool/PgrBuilder.h"
#include "tools/pgrtool/Scramble.h"

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

const DisplayInfo kTestDisplay{0, 768, 1024};

std::vector<uint8_t> SampleReadme() { return Bytes(std::string(3000, 'r') + "end"); }

std::vector<uint8_t> SampleArchive() {
    PgrBuilder b;
    b.AddEntry({"README_TXT", SampleReadme(), true, true});
    b.AddEntry({"#PLAIN", Bytes("kept as it is"), false, false});
    b.AddEntry({"BIG", std::vector<uint8_t>(9000, 0x42), false, true});
    b.AddEntry({"EIGHT", Bytes("ZLIB\x01\x02\x03\x04"), false, true});
    b.AddKey({"FILES", "first.dll", true, true});
    b.AddKey({"TARGET", "app", false, true});
    b.AddKey({"FILES", "second.dll", true, false});
    b.AddKey({"TARGET", "sys", true, true});
    b.AddKey({"MAINLINKNAME", "Orvalis", true, true});
    b.AddKey({"UNINSTALL:KEYNAME", "Orvalis 3", false, false});
    b.AddKey({"EMPTY", "", true, true});
    return b.Build();
}

ArchiveEditor::ArchiveEditor(std::vector<uint8_t> archive) : m_archive(std::move(archive)) {
    CMemPGR reader(m_archive.data(), static_cast<uint32_t>(m_archive.size()), kTestDisplay);
    EXPECT_EQ(reader.ReadFile(), 0) << "the editor starts from a sound archive";
    m_header = reader.Header();
    for (int32_t i = 0; i < reader.FileCount(); i++)
        m_files.push_back(reader.FileEntry(i));
    for (int32_t i = 0; i < reader.KeyCount(); i++)
        m_keys.push_back(reader.KeyEntry(i));
}

void ArchiveEditor::EditUnit(size_t at, size_t length, uint32_t key, const std::function<void(uint8_t*)>& edit) {
    uint8_t* unit = m_archive.data() + at;
    DescrambleTable(unit, static_cast<int32_t>(length), key);
    edit(unit);
    ScrambleTable(unit, static_cast<int32_t>(length), key);
    StoreLe32(m_archive.data(), ArchiveChecksum(m_archive.data(), m_archive.size()));
}

ArchiveEditor& ArchiveEditor::HeaderField(int32_t PGRHeader::*field, int32_t value) {
    PGRHeader edited = m_header;
    edited.*field = value;
    EditUnit(Pgr::kScrambledHeaderOffset, Pgr::kScrambledHeaderSize, DeriveKey(PgrSecrets::kHeaderSeed),
             [&](uint8_t* unit) {
                 memcpy(unit, reinterpret_cast<const uint8_t*>(&edited) + Pgr::kScrambledHeaderOffset,
                        Pgr::kScrambledHeaderSize);
             });
    return *this;
}

ArchiveEditor& ArchiveEditor::FileField(int index, int32_t PGRFileEntry::*field, int32_t value) {
    const size_t at = Pgr::kHeaderSize;
    const uint32_t key = DeriveKey(static_cast<uint32_t>(m_files.size()) + PgrSecrets::kDirectorySeed);
    EditUnit(at, m_files.size() * sizeof(PGRFileEntry), key, [&](uint8_t* unit) {
        reinterpret_cast<PGRFileEntry*>(unit)[index].*field = value;
    });
    return *this;
}

ArchiveEditor& ArchiveEditor::KeyField(int index, int32_t PGRKeyEntry::*field, int32_t value) {
    const size_t at = Pgr::kHeaderSize + m_files.size() * sizeof(PGRFileEntry);
    const uint32_t key = DeriveKey(static_cast<uint32_t>(m_keys.size()) + PgrSecrets::kKeyTableSeed);
    EditUnit(at, m_keys.size() * sizeof(PGRKeyEntry), key, [&](uint8_t* unit) {
        reinterpret_cast<PGRKeyEntry*>(unit)[index].*field = value;
    });
    return *this;
}

ArchiveEditor& ArchiveEditor::StringByte(int32_t offset, uint8_t value) {
    const size_t at = Pgr::kHeaderSize + m_files.size() * sizeof(PGRFileEntry) + m_keys.size() * sizeof(PGRKeyEntry);
    const int32_t size = m_header.stringTableSize;
    EditUnit(at, static_cast<size_t>(size), DeriveKey(static_cast<uint32_t>(size) + PgrSecrets::kStringTableSeed),
             [&](uint8_t* unit) { unit[offset] = value; });
    return *this;
}

ArchiveEditor& ArchiveEditor::FirstDataBlock(int index, const std::function<void(uint8_t*, int32_t)>& edit) {
    const PGRFileEntry& e = m_files[index];
    const int32_t length = std::min(e.size, Pgr::kDataBlockSize);
    EditUnit(static_cast<size_t>(m_header.dataBase + e.dataOffset), static_cast<size_t>(length),
             DataBlockKey(static_cast<uint32_t>(e.dataOffset)), [&](uint8_t* unit) { edit(unit, length); });
    return *this;
}

ArchiveEditor& ArchiveEditor::Raw(const std::function<void(std::vector<uint8_t>&)>& edit) {
    edit(m_archive);
    return *this;
}
