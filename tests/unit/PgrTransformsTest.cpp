#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "pgr/PgrFormat.h"
#include "pgr/PgrTransforms.h"
#include "tools/pgrtool/Scramble.h"

namespace {

class PgrTransforms : public ::testing::Test {
  protected:
    void SetUp() override { InitNoiseTable(); }

    static std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
        std::mt19937 rng(seed);
        std::vector<uint8_t> v(n);
        for (uint8_t& b : v)
            b = static_cast<uint8_t>(rng());
        return v;
    }
};

const int32_t kUnitLengths[] = {0, 1, 2, 3, 11, 44, 1023, 1024, 1025, 4095, 4096, 4097, 8193, 11265, 30001};

TEST_F(PgrTransforms, GeneratorIsTheClassicLinearCongruence) {
    // The well-known sequence of this generator seeded with 1: 41, 18467, 6334.
    PgrRandom random(1);
    EXPECT_EQ(random.Draw(), 41u);
    EXPECT_EQ(random.Draw(), 18467u);
    EXPECT_EQ(random.Draw(), 6334u);
    EXPECT_EQ(DeriveKey(1), (41u << 17) | (18467u << 2) | (6334u & 3));
}

TEST_F(PgrTransforms, NoiseTableIsFixedAndNotFlat) {
    const std::vector<uint8_t> first(NoiseTable(), NoiseTable() + Pgr::kNoiseTableSize);
    InitNoiseTable();
    EXPECT_EQ(std::vector<uint8_t>(NoiseTable(), NoiseTable() + Pgr::kNoiseTableSize), first);
    int distinct[256] = {};
    for (uint8_t b : first)
        distinct[b] = 1;
    int count = 0;
    for (int d : distinct)
        count += d;
    EXPECT_GT(count, 200);
}

TEST_F(PgrTransforms, TableRoundTripsForEveryLength) {
    for (int32_t length : kUnitLengths) {
        for (uint32_t key : {0u, 1u, 0x80000001u, 0xFFFFFFFFu, DeriveKey(length)}) {
            const std::vector<uint8_t> plain = RandomBytes(static_cast<size_t>(length), key ^ length);
            std::vector<uint8_t> buffer = plain;
            ScrambleTable(buffer.data(), length, key);
            if (length > 0) {
                EXPECT_NE(buffer, plain) << "length " << length;
            }
            DescrambleTable(buffer.data(), length, key);
            ASSERT_EQ(buffer, plain) << "length " << length << " key " << key;
        }
    }
}

TEST_F(PgrTransforms, OddLastByteTakesOnlyTheBytePass) {
    // Changing the last input byte changes only the last output byte when it
    // stands outside the word pass, and its word partner too when it does not.
    for (int32_t length : {1, 2, 3, 4, 4097}) {
        std::vector<uint8_t> a = RandomBytes(static_cast<size_t>(length), 9);
        std::vector<uint8_t> b = a;
        b.back() ^= 0x5A;
        DescrambleTable(a.data(), length, 1234);
        DescrambleTable(b.data(), length, 1234);
        const int32_t changedFrom = length % 2 == 1 ? length - 1 : length - 2;
        for (int32_t i = 0; i < length; i++)
            EXPECT_EQ(a[i] == b[i], i < changedFrom) << "length " << length << " byte " << i;
    }
}

TEST_F(PgrTransforms, DataIsCutIntoSelfContainedBlocksKeyedByOffset) {
    for (int32_t length : kUnitLengths) {
        for (int32_t offset : {0, 1, 4096, 123457}) {
            const std::vector<uint8_t> stored = RandomBytes(static_cast<size_t>(length), length + offset);
            std::vector<uint8_t> whole = stored;
            DescrambleData(whole.data(), length, offset);
            for (int32_t at = 0; at < length; at += Pgr::kDataBlockSize) {
                const int32_t block = std::min(Pgr::kDataBlockSize, length - at);
                std::vector<uint8_t> alone(stored.begin() + at, stored.begin() + at + block);
                DescrambleTable(alone.data(), block, DeriveKey(static_cast<uint32_t>(offset + at) ^ PgrSecrets::kDataBlockMask));
                ASSERT_TRUE(std::equal(alone.begin(), alone.end(), whole.begin() + at))
                    << "length " << length << " offset " << offset << " block at " << at;
            }
            std::vector<uint8_t> back = whole;
            ScrambleData(back.data(), length, offset);
            ASSERT_EQ(back, stored) << "length " << length << " offset " << offset;
        }
    }
}

TEST_F(PgrTransforms, ByteSumMatchesAPlainLoopAtEveryLengthAndAlignment) {
    std::vector<uint8_t> bytes = RandomBytes(70000, 3);
    std::vector<uint8_t> saturated(70000, 0xFF);  // fills every lane to the brim
    for (const std::vector<uint8_t>* data : {&bytes, &saturated}) {
        for (size_t skip : {0, 1, 3, 7}) {
            for (size_t length : {0, 1, 7, 8, 9, 1023, 2048, 2049, 65536, 69990}) {
                uint32_t expected = 0x12345678;
                for (size_t i = 0; i < length; i++)
                    expected += (*data)[skip + i];
                ASSERT_EQ(AddBytes(0x12345678, data->data() + skip, length), expected)
                    << "length " << length << " skip " << skip;
            }
        }
    }
}

TEST_F(PgrTransforms, ShortArchivesAreNotSummed) {
    std::vector<uint8_t> archive = RandomBytes(201, 5);
    EXPECT_EQ(ArchiveChecksum(archive.data(), 200), Pgr::kChecksumXor);
    EXPECT_EQ(ArchiveChecksum(archive.data(), 4), Pgr::kChecksumXor);
    uint32_t sum = 0;
    for (size_t i = 4; i < 201; i++)
        sum += archive[i];
    EXPECT_EQ(ArchiveChecksum(archive.data(), 201), sum ^ Pgr::kChecksumXor);
}

}  // namespace
