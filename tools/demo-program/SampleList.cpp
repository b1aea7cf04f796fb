#include "tools/demo-program/SampleList.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kSamplesFolder = "\\Samples";

char FoldCase(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool FoldedLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldCase(x) < FoldCase(y); });
}

bool ComesBefore(const std::string& a, const std::string& b) {
    if (FoldedLess(a, b))
        return true;
    if (FoldedLess(b, a))
        return false;
    return a < b;
}

bool IsSample(const DirectoryEntry& entry) {
    return !entry.directory && !entry.hidden && !entry.name.empty();
}

}  // namespace

std::vector<std::string> SampleListLines(const std::vector<DirectoryEntry>& entries) {
    std::vector<std::string> lines;
    for (const DirectoryEntry& entry : entries) {
        if (IsSample(entry))
            lines.push_back(entry.name);
    }
    if (lines.empty())
        return {kNoSamplesLine};
    std::sort(lines.begin(), lines.end(), ComesBefore);
    return lines;
}

std::string SamplesFolderBeside(const std::string& programPath) {
    const size_t separator = programPath.find_last_of("\\/");
    if (separator == std::string::npos)
        return {};
    return programPath.substr(0, separator) + kSamplesFolder;
}
