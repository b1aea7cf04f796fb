#include "tests/fuzz/PlainArchive.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "install/portable/Bits16.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrStrings.h"
#include "pgr/PgrTransforms.h"
#include "tools/pgrtool/Scramble.h"

namespace {

const DisplayInfo kNoDisplay{};

// The stretch of the archive that holds one entry's data.
struct DataRegion {
    int64_t at;
    int32_t size;
    int32_t dataOffset;
};

bool Overlap(const DataRegion& a, const DataRegion& b) { return a.at < b.at + b.size && b.at < a.at + a.size; }

// The plain string table where the plain header puts it, when the reader
// would take it: inside the archive and ending with a zero.
const char* StringTableIn(const uint8_t* plain, size_t length, const TableUnits& units) {
    for (const TableUnit& unit : units)
        if (unit.length < 0 || unit.length > INT32_MAX)
            return nullptr;
    const TableUnit& strings = units.back();
    const int64_t end = strings.offset + strings.length;
    if (strings.length == 0 || end > static_cast<int64_t>(length) || plain[end - 1] != 0)
        return nullptr;
    return reinterpret_cast<const char*>(plain + strings.offset);
}

// The data the reader descrambles, found through the plain header and
// tables: that of every entry inside the archive whose name does not begin
// with "#". An entry whose data overlaps an earlier one's is left out, as no
// one scrambling of those bytes could suit both.
std::vector<DataRegion> ScrambledDataRegions(const uint8_t* plain, size_t length) {
    std::vector<DataRegion> regions;
    if (length < static_cast<size_t>(Pgr::kHeaderSize))
        return regions;
    PGRHeader h;
    memcpy(&h, plain, sizeof h);
    const TableUnits units = TableUnitsOf(h);
    const char* strings = StringTableIn(plain, length, units);
    if (!strings)
        return regions;
    for (int32_t i = 0; i < h.fileCount; i++) {
        PGRFileEntry e;
        memcpy(&e, plain + units[0].offset + int64_t{sizeof e} * i, sizeof e);
        const DataRegion region{int64_t{h.dataBase} + e.dataOffset, e.size, e.dataOffset};
        if (e.nameOffset < 0 || e.nameOffset >= h.stringTableSize || h.dataBase < 0 || e.dataOffset < 0 ||
            e.size <= 0 || region.at + e.size > static_cast<int64_t>(length))
            continue;
        std::string name;
        if (!TableStringText(strings, e.nameOffset, name) || name[0] == Pgr::kUnscrambledDataPrefix)
            continue;
        if (std::none_of(regions.begin(), regions.end(), [&](const DataRegion& r) { return Overlap(r, region); }))
            regions.push_back(region);
    }
    return regions;
}

}  // namespace

std::vector<uint8_t> ScrambledFromPlain(const uint8_t* plain, size_t length) {
    std::vector<uint8_t> archive(plain, plain + length);
    for (const DataRegion& r : ScrambledDataRegions(plain, length))
        ScrambleData(archive.data() + r.at, r.size, r.dataOffset);
    ScrambleHeaderAndTables(archive.data(), archive.size());
    if (archive.size() >= 4)
        StoreLe32(archive.data(), ArchiveChecksum(archive.data(), archive.size()));
    return archive;
}

std::vector<uint8_t> PlainFromScrambled(const std::vector<uint8_t>& archive) {
    CMemPGR reader(archive.data(), static_cast<uint32_t>(archive.size()), kNoDisplay);
    if (reader.ReadFile() != kPgrOk)
        return {};
    std::vector<uint8_t> plain(archive);
    const PGRHeader& h = reader.Header();
    memcpy(plain.data(), &h, sizeof h);
    const TableUnits units = TableUnitsOf(h);
    const auto copy = [&](const TableUnit& unit, const void* table) {
        memcpy(plain.data() + unit.offset, table, static_cast<size_t>(unit.length));
    };
    if (h.fileCount > 0)
        copy(units[0], &reader.FileEntry(0));
    if (h.keyCount > 0)
        copy(units[1], &reader.KeyEntry(0));
    if (h.stringTableSize > 0)
        copy(units[2], reader.StringTable());
    for (const DataRegion& r : ScrambledDataRegions(plain.data(), plain.size()))
        DescrambleData(plain.data() + r.at, r.size, r.dataOffset);
    return plain;
}
