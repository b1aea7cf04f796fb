#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "install/portable/Bits16.h"
#include "install/portable/Unscramble.h"
#include "pgr/PgrFormat.h"
#include "pgr/PgrTransforms.h"
#include "tests/unit/ArchiveFixtures.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

// Undoes the builder's work with the reader-side transforms alone, so the
// layout is checked independently of any reader class.
struct DecodedArchive {
    std::vector<uint8_t> raw;
    PGRHeader header{};
    std::vector<PGRFileEntry> directory;
    std::vector<PGRKeyEntry> keys;
    std::vector<uint8_t> strings;

    explicit DecodedArchive(std::vector<uint8_t> archive) : raw(std::move(archive)) {
        InitNoiseTable();
        memcpy(&header, raw.data(), sizeof header);
        auto* h = reinterpret_cast<uint8_t*>(&header);
        DescrambleTable(h + 4, 44, DeriveKey(PgrSecrets::kHeaderSeed));
        size_t at = sizeof header;
        directory = Unit<PGRFileEntry>(at, header.fileCount, PgrSecrets::kDirectorySeed);
        keys = Unit<PGRKeyEntry>(at, header.keyCount, PgrSecrets::kKeyTableSeed);
        strings.assign(raw.begin() + at, raw.begin() + at + header.stringTableSize);
        DescrambleTable(strings.data(), header.stringTableSize,
                        DeriveKey(static_cast<uint32_t>(header.stringTableSize) + PgrSecrets::kStringTableSeed));
    }

    template <typename Record>
    std::vector<Record> Unit(size_t& at, int32_t count, uint32_t seed) {
        std::vector<Record> records(static_cast<size_t>(count));
        const size_t bytes = records.size() * sizeof(Record);
        memcpy(records.data(), raw.data() + at, bytes);
        DescrambleTable(reinterpret_cast<uint8_t*>(records.data()), static_cast<int32_t>(bytes),
                        DeriveKey(static_cast<uint32_t>(count) + seed));
        at += bytes;
        return records;
    }

    bool IsScrambled(int32_t offset) const { return strings[offset] >= Pgr::kScrambledStringMarker; }

    std::string Text(int32_t offset) const {
        const char* stored = reinterpret_cast<const char*>(strings.data() + offset);
        if (!IsScrambled(offset))
            return stored;
        uint8_t decoded[Pgr::kMaxDecodedString];
        const int32_t n = DescrambleText(stored + 1, decoded, static_cast<int32_t>(strlen(stored)),
                                         static_cast<uint16_t>(offset));
        return std::string(reinterpret_cast<char*>(decoded), strnlen(reinterpret_cast<char*>(decoded), n));
    }

    std::vector<uint8_t> Data(const PGRFileEntry& e, bool scrambled) const {
        std::vector<uint8_t> d(raw.begin() + header.dataBase + e.dataOffset,
                               raw.begin() + header.dataBase + e.dataOffset + e.size);
        if (scrambled)
            DescrambleData(d.data(), e.size, e.dataOffset);
        return d;
    }
};

PgrBuilder SampleBuilder() {
    PgrBuilder b;
    b.AddEntry({"README_TXT", SampleReadme(), true, true});
    b.AddEntry({"#PLAIN", Bytes("kept as it is"), false, false});
    b.AddEntry({"BIG", std::vector<uint8_t>(9000, 0x42), false, true});
    b.AddKey({"MAINLINKNAME", "Orvalis", true, true});
    b.AddKey({"UNINSTALL:KEYNAME", "Orvalis 3", false, false});
    b.AddKey({"FILES", "a.dll", true, false});
    b.AddKey({"FILES", "b.dll", false, true});
    return b;
}

TEST(PgrBuilder, LaysOutHeaderTablesStringsAndData) {
    const DecodedArchive a(SampleBuilder().Build());
    EXPECT_EQ(a.header.checksum, ArchiveChecksum(a.raw.data(), a.raw.size()));
    EXPECT_EQ(a.header.magic, Pgr::kMagic);
    EXPECT_EQ(a.header.fileCount, 3);
    EXPECT_EQ(a.header.keyCount, 4);
    EXPECT_EQ(a.header.dataBase, 48 + 12 * 3 + 8 * 4 + a.header.stringTableSize);
    EXPECT_EQ(a.header.archiveLength, a.raw.size());

    ASSERT_EQ(a.directory.size(), 3u);
    EXPECT_EQ(a.Text(a.directory[0].nameOffset), "README_TXT");
    EXPECT_TRUE(a.IsScrambled(a.directory[0].nameOffset));
    EXPECT_EQ(a.Text(a.directory[1].nameOffset), "#PLAIN");
    EXPECT_FALSE(a.IsScrambled(a.directory[1].nameOffset));
    EXPECT_EQ(a.directory[0].dataOffset, 0);
    EXPECT_EQ(a.directory[1].dataOffset, a.directory[0].size);
    EXPECT_EQ(a.directory[2].dataOffset, a.directory[1].dataOffset + a.directory[1].size);
    EXPECT_EQ(a.header.dataBase + a.directory[2].dataOffset + a.directory[2].size,
              static_cast<int32_t>(a.raw.size()));

    const char* const expected[][2] = {{"MAINLINKNAME", "Orvalis"},
                                       {"UNINSTALL:KEYNAME", "Orvalis 3"},
                                       {"FILES", "a.dll"},
                                       {"FILES", "b.dll"}};
    const bool scrambledName[] = {true, false, true, false};
    const bool scrambledValue[] = {true, false, false, true};
    for (size_t i = 0; i < 4; i++) {
        EXPECT_EQ(a.Text(a.keys[i].nameOffset), expected[i][0]);
        EXPECT_EQ(a.Text(a.keys[i].valueOffset), expected[i][1]);
        EXPECT_EQ(a.IsScrambled(a.keys[i].nameOffset), scrambledName[i]) << i;
        EXPECT_EQ(a.IsScrambled(a.keys[i].valueOffset), scrambledValue[i]) << i;
    }
}

TEST(PgrBuilder, StoresEntriesScrambledCompressedOrAsTheyAre) {
    const DecodedArchive a(SampleBuilder().Build());
    EXPECT_EQ(a.Data(a.directory[1], false), Bytes("kept as it is"));
    EXPECT_EQ(a.Data(a.directory[2], true), std::vector<uint8_t>(9000, 0x42));
    EXPECT_NE(a.Data(a.directory[2], false), std::vector<uint8_t>(9000, 0x42));

    const std::vector<uint8_t> stored = a.Data(a.directory[0], true);
    ASSERT_GT(stored.size(), 8u);
    EXPECT_EQ(memcmp(stored.data(), "ZLIB", 4), 0);
    const uint32_t length = LoadLe32(stored.data() + 4);
    ASSERT_EQ(length, 3003u);
    std::vector<uint8_t> inflated(length);
    uLongf produced = length;
    ASSERT_EQ(uncompress(inflated.data(), &produced, stored.data() + 8, static_cast<uLong>(stored.size() - 8)), Z_OK);
    EXPECT_EQ(inflated, SampleReadme());
}

TEST(PgrBuilder, IsDeterministic) { EXPECT_EQ(SampleBuilder().Build(), SampleBuilder().Build()); }

TEST(PgrBuilder, ShortArchiveCarriesTheBareChecksumConstant) {
    PgrBuilder b;
    b.AddKey({"K", "v", false, false});
    const std::vector<uint8_t> archive = b.Build();
    ASSERT_LE(archive.size(), Pgr::kUnsummedMaxLength);
    EXPECT_EQ(LoadLe32(archive.data()), Pgr::kChecksumXor);
}

TEST(PgrBuilder, EightByteZlibLookalikeIsStoredButALongerOneIsRefused) {
    PgrBuilder ok;
    ok.AddEntry({"EIGHT", Bytes("ZLIB\x01\x02\x03\x04"), false, true});
    EXPECT_NO_THROW(ok.Build());
    PgrBuilder refused;
    refused.AddEntry({"NINE", Bytes("ZLIB\x01\x02\x03\x04\x05"), false, true});
    EXPECT_THROW(refused.Build(), PgrBuildError);
}

TEST(PgrBuilder, RefusesWhatTheReaderCouldNotReadBack) {
    const std::string longest(499, 'x');
    struct Case {
        const char* what;
        std::function<void(PgrBuilder&)> add;
        bool refused;
    } cases[] = {
        {"duplicate entry", [](PgrBuilder& b) { b.AddEntry({"A", {}, false, true}); b.AddEntry({"A", {}, false, false}); }, true},
        {"duplicate key is fine", [](PgrBuilder& b) { b.AddKey({"K", "1"}); b.AddKey({"K", "2"}); }, false},
        {"empty entry name", [](PgrBuilder& b) { b.AddEntry({"", {}, false, true}); }, true},
        {"plain value starting 0x80", [](PgrBuilder& b) { b.AddKey({"K", "\x80x", true, false}); }, true},
        {"scrambled value starting 0x80", [](PgrBuilder& b) { b.AddKey({"K", "\x80x", true, true}); }, false},
        {"plain entry name starting 0xC3", [](PgrBuilder& b) { b.AddEntry({"\xC3\xA9t\xC3\xA9", {}, false, false}); }, true},
        {"value of 499 bytes", [&](PgrBuilder& b) { b.AddKey({"K", longest}); }, false},
        {"value of 500 bytes", [&](PgrBuilder& b) { b.AddKey({"K", longest + "x"}); }, true},
        {"plain value of 500 bytes", [&](PgrBuilder& b) { b.AddKey({"K", longest + "x", true, false}); }, true},
        {"entry name of 400 bytes", [&](PgrBuilder& b) { b.AddEntry({std::string(400, 'n'), {}, false, true}); }, true},
        {"value with a zero byte", [](PgrBuilder& b) { b.AddKey({"K", std::string("a\0b", 3)}); }, true},
    };
    for (const Case& c : cases) {
        bool threw = false;
        try {
            PgrBuilder b;
            c.add(b);
            b.Build();
        } catch (const PgrBuildError&) {
            threw = true;
        }
        EXPECT_EQ(threw, c.refused) << c.what;
    }
}

const char kTinyArchiveHex[] =
    "70f547501eb8947342c24d788d322bbf6a77517f1e769a824760c9e6f3f76491fbe997c1d2b5acce811d145d7d0d6731"
    "53ef65e690bb48d53d44bc47dbbe605ce2654ac86c7e0e57fb6eec33d36c83c0a84c0d4cda71df610280b458178bbc39"
    "007461f1423461df87289396323178c37ab7087d3206481079c9ef072ae929d6db272547925e96a8d0a973143e273871"
    "e8c4b9f8bd89040d3f5c0ead38ce3233248cb9a24365fd621dee234cab9bd8328bd77c0a195059ee267ab58668117fb3"
    "d199865482e96a8545319f33b2c1dbb32f366f5eec763282d0c2e6e75669db52c81e41016549acfbb5410e22baf6d7ae"
    "1cb2b9d4091265404ed9f9e222267aea4ce4c062c4e43075808f008e035c663414e8ddbfb7cc086d6ef98e46e0d6edbc"
    "d3abb6db5d1d7784732aa94705be7cc9f285826625324a69e8a16ed0327418a1cf75157261774f9863d0029af26004b3"
    "92679a12fb2c1fdd71";

// Any change of a table, a seed or a transform changes these bytes; archives
// built before such a change would no longer read.
TEST(PgrBuilder, TinyArchiveHasFixedBytes) {
    PgrBuilder b;
    b.AddEntry({"DOC", Bytes(std::string(160, 'd')), false, true});
    b.AddEntry({"#RAW", Bytes("raw"), false, false});
    b.AddEntry({"Z", Bytes("zzzzzzzzzzzzzzzzzzzz"), true, true});
    b.AddKey({"MAINLINKNAME", "Orvalis", true, true});
    b.AddKey({"PLAIN", "value", false, false});
    const std::vector<uint8_t> archive = b.Build();
    std::string hex;
    for (uint8_t byte : archive) {
        char two[3];
        snprintf(two, sizeof two, "%02x", byte);
        hex += two;
    }
    EXPECT_EQ(hex, kTinyArchiveHex);
}

}  // namespace
