// The roll-back list: every file the copy opened for writing, and, for each
// one that replaced a file already there, where that earlier file was set
// aside. A cancel puts the disk back as it was (directories aside); a
// finished copy drops the set-aside files.
#pragma once

#include <string>
#include <vector>

class CopyJournal {
  public:
    // Call before opening path for writing. An existing file there is
    // renamed beside it under a name of its own; false when that fails, and
    // then nothing is recorded. Recorded either way the open then goes.
    bool Record(const std::string& path);

    // Deletes the recorded files, latest first, and puts every set-aside file
    // back in place of the one that replaced it.
    void RollBack();

    // The copy is complete: the set-aside files are deleted.
    void Commit();

    size_t Count() const { return m_stFiles.size(); }
    const std::string& Path(size_t index) const { return m_stFiles[index].path; }

  private:
    struct Written {
        std::string path;
        std::string keptAt;  // empty when nothing was there before
    };

    std::string UnusedKeptName(const std::string& path);

    std::vector<Written> m_stFiles;
    unsigned m_nKeptCount = 0;
};

// True for a path that names something already there.
bool PathExists(const std::string& path);
