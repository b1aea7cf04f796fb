#include "install/portable/InstallRecord.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr std::string_view kHeading = "Orvalis install record 1";
constexpr std::string_view kLineEnd = "\r\n";

struct KindName {
    RecordKind kind;
    std::string_view name;
    bool hasRoot;
};

constexpr KindName kKindNames[] = {
    {RecordKind::File, "file", false},        {RecordKind::Link, "link", false},
    {RecordKind::Directory, "directory", false}, {RecordKind::Key, "key", true},
    {RecordKind::EmptyKey, "emptykey", true},
};

const KindName& NameOf(RecordKind kind) {
    return *std::find_if(std::begin(kKindNames), std::end(kKindNames),
                         [kind](const KindName& k) { return k.kind == kind; });
}

bool Recordable(const std::string& text) {
    return !text.empty() && text.find_first_of("\t\r\n") == std::string::npos;
}

uint32_t Checksum(std::string_view bytes) {
    return static_cast<uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

// A whole decimal or hexadecimal number, nothing before or after it.
bool ParseNumber(std::string_view text, int base, unsigned long long& number) {
    if (text.empty() || text.size() > 16)
        return false;
    const std::string copy(text);
    char* end = nullptr;
    number = std::strtoull(copy.c_str(), &end, base);
    return end == copy.c_str() + copy.size() && copy[0] != '-' && copy[0] != '+' && copy[0] != ' ';
}

class RecordParser {
  public:
    explicit RecordParser(std::string_view text) : m_stText(text) {}

    RecordReading Run() {
        std::string_view line;
        if (!NextLine(line) || line != kHeading)
            return Fail(RecordProblem::NotARecord);
        while (NextLine(line)) {
            const std::vector<std::string_view> fields = Fields(line);
            if (fields[0] == "end")
                return End(fields);
            if (!Item(fields))
                return Fail(RecordProblem::BadLine);
        }
        return Fail(RecordProblem::Incomplete);
    }

  private:
    // Only whole lines count: a last line without its CR LF was cut short.
    bool NextLine(std::string_view& line) {
        const size_t end = m_stText.find(kLineEnd, m_nOffset);
        if (end == std::string_view::npos)
            return false;
        m_nLineStart = m_nOffset;
        line = m_stText.substr(m_nOffset, end - m_nOffset);
        m_nOffset = end + kLineEnd.size();
        ++m_nLine;
        return true;
    }

    bool Item(const std::vector<std::string_view>& fields) {
        if (fields[0] == "product" && fields.size() == 2) {
            m_stReading.record.product = std::string(fields[1]);
            return true;
        }
        for (const KindName& k : kKindNames) {
            if (fields[0] != k.name)
                continue;
            const size_t expected = k.hasRoot ? 3 : 2;
            if (fields.size() != expected || fields.back().empty())
                return false;
            if (k.hasRoot && fields[1] != "HKCU" && fields[1] != "HKLM")
                return false;
            m_stReading.record.items.push_back(
                {k.kind, k.hasRoot ? std::string(fields[1]) : std::string(), std::string(fields.back())});
            return true;
        }
        return false;
    }

    RecordReading End(const std::vector<std::string_view>& fields) {
        unsigned long long count = 0, checksum = 0;
        if (fields.size() != 3 || !ParseNumber(fields[1], 10, count) || fields[2].size() != 8 ||
            !ParseNumber(fields[2], 16, checksum))
            return Fail(RecordProblem::BadLine);
        if (count != m_stReading.record.items.size())
            return Fail(RecordProblem::WrongItemCount);
        if (checksum != Checksum(m_stText.substr(0, m_nLineStart)))
            return Fail(RecordProblem::WrongChecksum);
        if (m_nOffset != m_stText.size())
            return Fail(RecordProblem::TextAfterEnd);
        return std::move(m_stReading);
    }

    RecordReading Fail(RecordProblem problem) {
        RecordReading failed;
        failed.problem = problem;
        failed.line = std::max<size_t>(m_nLine, 1);
        return failed;
    }

    std::string_view m_stText;
    size_t m_nOffset = 0;
    size_t m_nLineStart = 0;
    size_t m_nLine = 0;
    RecordReading m_stReading;
};

}  // namespace

bool InstallRecord::Add(RecordKind kind, const std::string& path, const std::string& root) {
    if (!Recordable(path))
        return false;
    RecordItem item{kind, root, path};
    if (std::find(items.begin(), items.end(), item) == items.end())
        items.push_back(std::move(item));
    return true;
}

void InstallRecord::Merge(const InstallRecord& earlier) {
    std::vector<RecordItem> merged = earlier.items;
    for (const RecordItem& item : items)
        if (std::find(merged.begin(), merged.end(), item) == merged.end())
            merged.push_back(item);
    items = std::move(merged);
}

std::string FormatInstallRecord(const InstallRecord& record) {
    std::string text(kHeading);
    text += kLineEnd;
    if (Recordable(record.product))
        text.append("product\t").append(record.product).append(kLineEnd);
    for (const RecordItem& item : record.items) {
        const KindName& k = NameOf(item.kind);
        text.append(k.name).append("\t");
        if (k.hasRoot)
            text.append(item.root).append("\t");
        text.append(item.path).append(kLineEnd);
    }
    char checksum[9];
    std::snprintf(checksum, sizeof checksum, "%08lx", static_cast<unsigned long>(Checksum(text)));
    return text.append("end\t").append(std::to_string(record.items.size())).append("\t").append(checksum).append(kLineEnd);
}

RecordReading ParseInstallRecord(std::string_view text) {
    return RecordParser(text).Run();
}

bool ReadInstallRecordFile(const std::string& path, RecordReading& reading) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    reading = ParseInstallRecord(text);
    return true;
}

const char* RecordProblemText(RecordProblem problem) {
    switch (problem) {
    case RecordProblem::None:
        return "it is complete";
    case RecordProblem::NotARecord:
        return "it is not an install record";
    case RecordProblem::BadLine:
        return "it holds a line that is not part of the record";
    case RecordProblem::Incomplete:
        return "it was cut short";
    case RecordProblem::WrongItemCount:
    case RecordProblem::WrongChecksum:
    case RecordProblem::TextAfterEnd:
        return "it was changed after the installation";
    }
    return "it cannot be read";
}
