#include "tools/pgrtool/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/pgrtool/PgrBuilder.h"

namespace fs = std::filesystem;

namespace {

// The run's own directory inside the target one. Made afresh, it holds nothing
// of anyone else's and no name in it comes from a file being written; inside
// the target, it lies on the same file system, so moves out of it are
// renames. It goes with everything in it, unless it keeps a replaced file that
// could not be put back.
class StagingDirectory {
  public:
    explicit StagingDirectory(const fs::path& parent) {
        std::string name = (parent / ".pgrtool-staging-XXXXXX").string();
        if (!mkdtemp(name.data()))
            throw PgrBuildError("cannot create a staging directory in " + parent.string() + ": " + strerror(errno));
        m_path = name;
    }
    ~StagingDirectory() {
        std::error_code ignored;
        if (!m_bKeep)
            fs::remove_all(m_path, ignored);
    }
    StagingDirectory(const StagingDirectory&) = delete;
    StagingDirectory& operator=(const StagingDirectory&) = delete;

    // Where the i-th file is written, and where the file it replaces waits
    // until every move has succeeded.
    fs::path NewFile(size_t i) const { return m_path / (std::to_string(i) + ".new"); }
    fs::path OldFile(size_t i) const { return m_path / (std::to_string(i) + ".old"); }
    const fs::path& Path() const { return m_path; }
    void Keep() { m_bKeep = true; }

  private:
    fs::path m_path;
    bool m_bKeep = false;
};

// A rename replaces only a file: anything else of the same name would make
// the move fail, so it is refused before any work is done.
void RefuseWhatIsNotAFile(const fs::path& directory, const std::vector<NamedFile>& files) {
    for (const NamedFile& f : files) {
        std::error_code ignored;  // a name that cannot be looked up fails when it is moved
        const fs::file_status there = fs::symlink_status(directory / f.name, ignored);
        if (fs::exists(there) && !fs::is_regular_file(there))
            throw PgrBuildError("cannot write " + (directory / f.name).string() +
                                ": something other than a file is there");
    }
}

// One file's move into place: the file it replaced, when there was one, moved
// aside first.
struct Move {
    fs::path final;
    fs::path replaced;  // empty when nothing was there
    bool done = false;
};

// Takes the moves back, newest first. Returns false when a replaced file could
// not be put back: it is then still in the staging directory.
bool Undo(const std::vector<Move>& moves) {
    bool restored = true;
    for (auto m = moves.rbegin(); m != moves.rend(); ++m) {
        std::error_code error;
        if (!m->replaced.empty()) {
            fs::rename(m->replaced, m->final, error);
            restored = restored && !error;
        } else if (m->done) {
            fs::remove(m->final, error);  // a new file left behind loses nothing
        }
    }
    return restored;
}

void MoveIntoPlace(StagingDirectory& staging, const fs::path& directory, const std::vector<NamedFile>& files) {
    std::vector<Move> moves;
    for (size_t i = 0; i < files.size(); i++) {
        Move move{directory / files[i].name, {}};
        std::error_code error;
        std::error_code ignored;
        if (fs::is_regular_file(fs::symlink_status(move.final, ignored))) {
            fs::rename(move.final, staging.OldFile(i), error);
            if (!error)
                move.replaced = staging.OldFile(i);
        }
        if (!error) {
            fs::rename(staging.NewFile(i), move.final, error);
            move.done = !error;
        }
        moves.push_back(move);
        if (error) {
            std::string message = "cannot write " + move.final.string() + ": " + error.message();
            if (!Undo(moves)) {
                staging.Keep();
                message += "; files it had replaced and could not put back are in " + staging.Path().string();
            }
            throw PgrBuildError(message);
        }
    }
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PgrBuildError("cannot read " + path + ": " + strerror(errno));
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw PgrBuildError("error reading " + path);
    return bytes;
}

void WriteFileAtomically(const std::string& path, const void* data, size_t size) {
    const std::string temp = path + ".partial";
    FILE* f = fopen(temp.c_str(), "wb");
    if (!f)
        throw PgrBuildError("cannot create " + temp + ": " + strerror(errno));
    const bool written = fwrite(data, 1, size, f) == size;
    const bool closed = fclose(f) == 0;
    if (!written || !closed || rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = strerror(errno);
        remove(temp.c_str());
        throw PgrBuildError("cannot write " + path + ": " + reason);
    }
}

void WriteFilesAllOrNothing(const std::string& directoryName, const std::vector<NamedFile>& files) {
    const fs::path directory(directoryName);
    RefuseWhatIsNotAFile(directory, files);
    StagingDirectory staging(directory);
    for (size_t i = 0; i < files.size(); i++) {
        try {
            WriteFileAtomically(staging.NewFile(i).string(), files[i].data, files[i].size);
        } catch (const PgrBuildError& e) {
            throw PgrBuildError("cannot write " + (directory / files[i].name).string() + ": " + e.what());
        }
    }
    MoveIntoPlace(staging, directory, files);
}
