#include "install/portable/CopyJournal.h"

#include <sys/stat.h>

#include "install/portable/CopyRules.h"

namespace {

constexpr std::string_view kHeading = "Orvalis copy journal 1";
constexpr std::string_view kCreate = "create";
constexpr std::string_view kReplace = "replace";
constexpr std::string_view kCommit = "commit";
constexpr std::string_view kLineEnd = "\r\n";

// Kept names are short, in the replaced file's own folder: the rename then
// never crosses a drive, and the name stays within the path limit whenever
// the file's own name is longer than it.
std::string KeptName(const std::string& path, unsigned number) {
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + "~orv" + std::to_string(number) + ".tmp";
}

std::string Line(std::initializer_list<std::string_view> fields) {
    std::string line;
    for (std::string_view field : fields)
        (line += line.empty() ? "" : "\t") += field;
    return line + std::string(kLineEnd);
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
        fields.push_back(line.substr(0, tab));
    fields.push_back(line);
    return fields;
}

// Only whole lines: the last one may have been cut by the kill.
std::vector<std::string_view> WholeLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t end; (end = text.find(kLineEnd)) != std::string_view::npos; text.remove_prefix(end + kLineEnd.size()))
        lines.push_back(text.substr(0, end));
    return lines;
}

void AddStep(const std::vector<std::string_view>& fields, JournalReading& reading) {
    if (fields[0] == kCreate && fields.size() == 2)
        reading.entries.push_back({std::string(fields[1]), {}});
    else if (fields[0] == kReplace && fields.size() == 3)
        reading.entries.push_back({std::string(fields[1]), std::string(fields[2])});
    else if (fields[0] == kCommit)
        reading.committed = true;
}

void RemoveKeptCopies(JournalDisk& disk, const std::vector<JournalEntry>& entries,
                      std::vector<std::string>& leftForRestart) {
    for (const JournalEntry& entry : entries)
        if (!entry.keptAt.empty() && disk.Exists(entry.keptAt) && !disk.Remove(entry.keptAt) &&
            disk.RemoveAtRestart(entry.keptAt))
            leftForRestart.push_back(entry.keptAt);
}

// Latest first, so that a path written twice ends as it was before the
// first write. Each step looks at the disk first: a repeat finds it done.
void UndoEntries(JournalDisk& disk, const std::vector<JournalEntry>& entries, bool createdToo, Recovery& done) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->keptAt.empty()) {
            if (createdToo && disk.Exists(it->path) && disk.Remove(it->path))
                ++done.removed;
        } else if (disk.Exists(it->keptAt) && disk.Move(it->keptAt, it->path)) {
            ++done.restored;
        }
    }
}

}  // namespace

bool PathExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

JournalReading ParseJournal(std::string_view text) {
    JournalReading reading;
    const std::vector<std::string_view> lines = WholeLines(text);
    if (lines.empty() || lines[0] != kHeading)
        return reading;
    for (size_t i = 1; i < lines.size(); ++i)
        AddStep(Fields(lines[i]), reading);
    return reading;
}

bool CopyJournal::Begin(const std::string& path) {
    m_sJournalPath = path;
    m_stFiles.clear();
    return m_stDisk.CreateJournal(path, Line({kHeading}));
}

bool CopyJournal::Append(const std::string& line) {
    return m_sJournalPath.empty() || m_stDisk.AppendToJournal(line);
}

std::string CopyJournal::UnusedKeptName(const std::string& path) {
    for (;;) {
        std::string kept = KeptName(path, ++m_nKeptCount);
        if (!m_stDisk.Exists(kept))
            return kept;
    }
}

bool CopyJournal::Record(const std::string& path) {
    JournalEntry entry{path, {}};
    if (!m_stDisk.Exists(path)) {
        if (!Append(Line({kCreate, path})))
            return false;
    } else {
        entry.keptAt = UnusedKeptName(path);
        if (!Append(Line({kReplace, path, entry.keptAt})) || !m_stDisk.Move(path, entry.keptAt))
            return false;
    }
    m_stFiles.push_back(std::move(entry));
    return true;
}

// The journal goes last: until then a kill leaves the next start the work.
void CopyJournal::Finish() {
    m_stFiles.clear();
    if (m_sJournalPath.empty())
        return;
    m_stDisk.DeleteJournal(m_sJournalPath);
    m_sJournalPath.clear();
}

void CopyJournal::RollBack() {
    Recovery done;
    UndoEntries(m_stDisk, m_stFiles, true, done);
    Finish();
}

void CopyJournal::RestoreReplaced() {
    Recovery done;
    UndoEntries(m_stDisk, m_stFiles, false, done);
    Finish();
}

std::vector<std::string> CopyJournal::Commit() {
    std::vector<std::string> leftForRestart;
    Append(Line({kCommit}));
    RemoveKeptCopies(m_stDisk, m_stFiles, leftForRestart);
    Finish();
    return leftForRestart;
}

Recovery RecoverInterruptedCopy(JournalDisk& disk, const std::string& journalPath) {
    Recovery done;
    std::string text;
    if (!disk.ReadJournal(journalPath, text))
        return done;
    done.found = true;
    const JournalReading reading = ParseJournal(text);
    if (reading.committed)
        RemoveKeptCopies(disk, reading.entries, done.leftForRestart);
    else
        UndoEntries(disk, reading.entries, true, done);
    disk.DeleteJournal(journalPath);
    return done;
}

std::string CopyJournalPath(const std::string& commonAppData, const std::string& company, const std::string& product) {
    return JoinPath({commonAppData, company, product + " install journal.txt"});
}
