// The roll-back list: every file the copy opened for writing, and, for each
// one that replaced a file already there, where that earlier file was set
// aside. A cancel puts the disk back as it was (directories aside); a
// finished copy drops the set-aside files.
//
// The list is also kept on disk, in a journal that the next start of the
// installer reads when this one was killed half-way. One line per step,
// flushed before the step is taken, so that the journal never lags behind
// the disk:
//
//   Orvalis copy journal 1
//   create<TAB>{path}              path was not there; this run makes it
//   replace<TAB>{path}<TAB>{kept}  path is about to be renamed to kept
//   commit                         the copy is complete
//
// A line without its line end was cut by the kill and is ignored: its step
// was never begun. Undoing is safe to repeat, so a kill while undoing only
// leaves the rest to the next start.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the journal does to the disk, each step finished (on the disk, not
// in a cache) when it returns.
class JournalDisk {
  public:
    virtual ~JournalDisk() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Replaces whatever is at to.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // Also a file marked read-only.
    virtual bool Remove(const std::string& path) = 0;
    // For a file that cannot be removed now, a program still using it say.
    virtual bool RemoveAtRestart(const std::string& path) = 0;
    // Makes the journal at path, and its folder when missing, with text as
    // its first bytes.
    virtual bool CreateJournal(const std::string& path, const std::string& text) = 0;
    virtual bool AppendToJournal(const std::string& text) = 0;
    // Closes and deletes it, and its folder once that is empty.
    virtual void DeleteJournal(const std::string& path) = 0;
    // The whole file; false when there is none.
    virtual bool ReadJournal(const std::string& path, std::string& text) = 0;
};

struct JournalEntry {
    std::string path;
    std::string keptAt;  // empty when nothing was there before

    bool operator==(const JournalEntry& other) const { return path == other.path && keptAt == other.keptAt; }
};

struct JournalReading {
    std::vector<JournalEntry> entries;
    bool committed = false;
};

// The steps a journal's text holds, its cut last line left out.
JournalReading ParseJournal(std::string_view text);

// What the start of an installer found and did about an interrupted run.
struct Recovery {
    bool found = false;
    size_t restored = 0;                      // earlier files put back
    size_t removed = 0;                       // files of the interrupted run deleted
    std::vector<std::string> leftForRestart;  // set-aside copies still in use
};

class CopyJournal {
  public:
    explicit CopyJournal(JournalDisk& disk) : m_stDisk(disk) {}

    // Starts the journal at path; false when it cannot be written, and then
    // nothing may be copied.
    bool Begin(const std::string& path);

    // Call before opening path for writing. An existing file there is
    // renamed beside it under a name of its own; false when that fails, and
    // then nothing is recorded. Recorded either way the open then goes.
    bool Record(const std::string& path);

    // Deletes the recorded files, latest first, and puts every set-aside file
    // back in place of the one that replaced it.
    void RollBack();

    // After a failure: every set-aside file goes back in place of the file
    // that replaced it; files that were not there before stay.
    void RestoreReplaced();

    // The copy is complete: the set-aside files are deleted. Those still in
    // use are left to be deleted at the next restart, and returned.
    std::vector<std::string> Commit();

    size_t Count() const { return m_stFiles.size(); }
    const std::string& Path(size_t index) const { return m_stFiles[index].path; }

  private:
    std::string UnusedKeptName(const std::string& path);
    bool Append(const std::string& line);
    void Finish();

    JournalDisk& m_stDisk;
    std::string m_sJournalPath;
    std::vector<JournalEntry> m_stFiles;
    unsigned m_nKeptCount = 0;
};

// Undoes the run a journal at path tells of, or finishes its commit, and
// deletes the journal. Nothing found when there is no journal.
Recovery RecoverInterruptedCopy(JournalDisk& disk, const std::string& journalPath);

// Where the journal of a product lies: under the machine's application
// data, where the next start finds it before anyone has chosen a folder.
std::string CopyJournalPath(const std::string& commonAppData, const std::string& company, const std::string& product);

// True for a path that names something already there.
bool PathExists(const std::string& path);
