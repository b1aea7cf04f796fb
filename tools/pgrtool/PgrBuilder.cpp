#include "tools/pgrtool/PgrBuilder.h"

#include <zlib.h>

#include <cstring>
#include <limits>

#include "install/portable/Bits16.h"
#include "pgr/PgrFormat.h"
#include "pgr/PgrTransforms.h"
#include "tools/pgrtool/Scramble.h"

namespace {

constexpr int64_t kMaxArchiveLength = std::numeric_limits<int32_t>::max();

class StringTableWriter {
  public:
    // Appends one string and returns its offset, which is also the key of a
    // scrambled string.
    int32_t Add(const std::string& text, bool scramble, const std::string& what) {
        Check(text, scramble, what);
        const auto offset = static_cast<int32_t>(m_bytes.size());
        if (scramble) {
            std::vector<uint8_t> plain(text.begin(), text.end());
            plain.push_back(0);
            const std::string packed = ScrambleText(plain, static_cast<uint16_t>(offset));
            m_bytes.push_back(Pgr::kScrambledStringMarker);
            m_bytes.insert(m_bytes.end(), packed.begin(), packed.end());
        } else {
            m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        }
        m_bytes.push_back(0);
        return offset;
    }

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

  private:
    static void Check(const std::string& text, bool scramble, const std::string& what) {
        if (text.find('\0') != std::string::npos)
            throw PgrBuildError(what + " contains a zero byte");
        if (text.size() + 1 > static_cast<size_t>(Pgr::kMaxDecodedString))
            throw PgrBuildError(what + " is " + std::to_string(text.size()) +
                                " bytes; a string is at most 499 bytes plus its terminating zero");
        if (!scramble && !text.empty() && static_cast<uint8_t>(text[0]) >= Pgr::kScrambledStringMarker)
            throw PgrBuildError(what + " is stored plain but begins with a byte of 0x80 or more, "
                                       "which marks a scrambled string; store it scrambled");
    }

    std::vector<uint8_t> m_bytes;
};

void AppendLe32(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t b[4];
    StoreLe32(b, v);
    out.insert(out.end(), b, b + 4);
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

std::vector<uint8_t> EncodeEntryContent(const std::vector<uint8_t>& content, bool compress,
                                        const std::string& name) {
    if (!compress) {
        if (content.size() > Pgr::kCompressedHeaderSize &&
            memcmp(content.data(), Pgr::kCompressedTag, sizeof Pgr::kCompressedTag) == 0)
            throw PgrBuildError("entry " + Quoted(name) +
                                " begins with \"ZLIB\" and would be read as compressed; store it compressed");
        return content;
    }
    if (content.size() > static_cast<size_t>(kMaxArchiveLength))
        throw PgrBuildError("entry " + Quoted(name) + " is too large for an archive");
    uLongf bound = compressBound(static_cast<uLong>(content.size()));
    std::vector<uint8_t> out(Pgr::kCompressedHeaderSize + bound);
    memcpy(out.data(), Pgr::kCompressedTag, sizeof Pgr::kCompressedTag);
    StoreLe32(out.data() + 4, static_cast<uint32_t>(content.size()));
    if (compress2(out.data() + Pgr::kCompressedHeaderSize, &bound, content.data(),
                  static_cast<uLong>(content.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw PgrBuildError("entry " + Quoted(name) + ": zlib could not compress it");
    out.resize(Pgr::kCompressedHeaderSize + bound);
    return out;
}

PgrBuilder::PgrBuilder() { InitNoiseTable(); }

void PgrBuilder::AddEntry(PgrEntrySpec entry) {
    if (entry.name.empty())
        throw PgrBuildError("an entry has an empty name");
    if (entry.name.size() > static_cast<size_t>(Pgr::kMaxDirectoryNameLength))
        throw PgrBuildError("entry name " + Quoted(entry.name.substr(0, 40) + "...") +
                            " is longer than 399 bytes and could never be found");
    for (const PgrEntrySpec& e : m_stEntries)
        if (e.name == entry.name)
            throw PgrBuildError("duplicate entry name " + Quoted(entry.name));
    m_stEntries.push_back(std::move(entry));
}

void PgrBuilder::AddKey(PgrKeySpec key) {
    if (key.name.empty())
        throw PgrBuildError("a key has an empty name");
    m_stKeys.push_back(std::move(key));
}

std::vector<uint8_t> PgrBuilder::Build() const {
    StringTableWriter strings;
    std::vector<PGRFileEntry> directory;
    std::vector<uint8_t> data;
    for (const PgrEntrySpec& e : m_stEntries) {
        const int32_t nameOffset = strings.Add(e.name, e.scrambleName, "entry name " + Quoted(e.name));
        std::vector<uint8_t> stored = EncodeEntryContent(e.content, e.compress, e.name);
        if (static_cast<int64_t>(data.size()) + static_cast<int64_t>(stored.size()) > kMaxArchiveLength)
            throw PgrBuildError("the entries add up to more than 2 GiB, too large for an archive");
        const auto dataOffset = static_cast<int32_t>(data.size());
        const auto size = static_cast<int32_t>(stored.size());
        if (e.name[0] != Pgr::kUnscrambledDataPrefix)
            ScrambleData(stored.data(), size, dataOffset);
        directory.push_back({nameOffset, size, dataOffset});
        data.insert(data.end(), stored.begin(), stored.end());
    }
    std::vector<PGRKeyEntry> keys;
    for (const PgrKeySpec& k : m_stKeys) {
        const int32_t nameOffset = strings.Add(k.name, k.scrambleName, "key name " + Quoted(k.name));
        const int32_t valueOffset =
            strings.Add(k.value, k.scrambleValue, "value of key " + Quoted(k.name));
        keys.push_back({nameOffset, valueOffset});
    }

    const auto fileCount = static_cast<int32_t>(directory.size());
    const auto keyCount = static_cast<int32_t>(keys.size());
    const auto stringSize = static_cast<int32_t>(strings.Bytes().size());
    const int64_t dataBase = Pgr::kHeaderSize + 12LL * fileCount + 8LL * keyCount + stringSize;
    const int64_t total = dataBase + static_cast<int64_t>(data.size());
    if (total > kMaxArchiveLength)
        throw PgrBuildError("the archive would be larger than 2 GiB");

    std::vector<uint8_t> archive;
    archive.reserve(static_cast<size_t>(total));
    AppendLe32(archive, 0);  // checksum, written last
    AppendLe32(archive, Pgr::kMagic);
    AppendLe32(archive, Pgr::kFormatVersion);
    AppendLe32(archive, static_cast<uint32_t>(total));
    AppendLe32(archive, static_cast<uint32_t>(dataBase));
    AppendLe32(archive, static_cast<uint32_t>(keyCount));
    AppendLe32(archive, static_cast<uint32_t>(fileCount));
    AppendLe32(archive, static_cast<uint32_t>(data.size()));
    AppendLe32(archive, static_cast<uint32_t>(stringSize));
    for (int i = 0; i < 3; i++)
        AppendLe32(archive, 0);
    for (const PGRFileEntry& f : directory) {
        AppendLe32(archive, static_cast<uint32_t>(f.nameOffset));
        AppendLe32(archive, static_cast<uint32_t>(f.size));
        AppendLe32(archive, static_cast<uint32_t>(f.dataOffset));
    }
    for (const PGRKeyEntry& k : keys) {
        AppendLe32(archive, static_cast<uint32_t>(k.nameOffset));
        AppendLe32(archive, static_cast<uint32_t>(k.valueOffset));
    }
    archive.insert(archive.end(), strings.Bytes().begin(), strings.Bytes().end());
    ScrambleHeaderAndTables(archive.data(), archive.size());

    archive.insert(archive.end(), data.begin(), data.end());
    StoreLe32(archive.data(), ArchiveChecksum(archive.data(), archive.size()));
    return archive;
}
