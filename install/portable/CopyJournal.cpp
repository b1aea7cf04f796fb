#include "install/portable/CopyJournal.h"

#include <sys/stat.h>

#include <cstdio>

namespace {

// Kept names are short, in the replaced file's own folder: the rename then
// never crosses a drive, and the name stays within the path limit whenever
// the file's own name is longer than it.
std::string KeptName(const std::string& path, unsigned number) {
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + "~orv" + std::to_string(number) + ".tmp";
}

}  // namespace

bool PathExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

std::string CopyJournal::UnusedKeptName(const std::string& path) {
    for (;;) {
        std::string kept = KeptName(path, ++m_nKeptCount);
        if (!PathExists(kept))
            return kept;
    }
}

bool CopyJournal::Record(const std::string& path) {
    Written written{path, {}};
    if (PathExists(path)) {
        written.keptAt = UnusedKeptName(path);
        if (std::rename(path.c_str(), written.keptAt.c_str()) != 0)
            return false;
    }
    m_stFiles.push_back(std::move(written));
    return true;
}

void CopyJournal::RollBack() {
    for (auto it = m_stFiles.rbegin(); it != m_stFiles.rend(); ++it) {
        std::remove(it->path.c_str());
        if (!it->keptAt.empty())
            std::rename(it->keptAt.c_str(), it->path.c_str());
    }
    m_stFiles.clear();
}

void CopyJournal::Commit() {
    for (const Written& written : m_stFiles)
        if (!written.keptAt.empty())
            std::remove(written.keptAt.c_str());
    m_stFiles.clear();
}
