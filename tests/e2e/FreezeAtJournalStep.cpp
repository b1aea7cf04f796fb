// Scenario helper on the host: freezes a process (SIGSTOP) the moment the
// copy journal in FOLDER holds STEPS steps, so that a scenario can kill the
// installer at a chosen point of a copy that takes well under a second:
//   freeze_at_journal_step PID FOLDER JOURNAL STEPS
// Prints "frozen at step N", with ", after the commit" once the journal says
// the copy was complete or has already gone. Exits 1 when the process ended
// first, 2 when nothing happened for a minute.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int kQuietLimitMs = 60000;
constexpr int kPollMs = 5;
constexpr uint32_t kChanges = IN_MODIFY | IN_CREATE | IN_DELETE;

std::string ParentOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

struct JournalState {
    bool exists = false;
    int steps = 0;
    bool committed = false;
};

// Whole lines only: the one being written may be cut.
JournalState ReadJournal(const std::string& path) {
    JournalState state;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return state;
    state.exists = true;
    std::stringstream text;
    text << in.rdbuf();
    std::string line;
    while (std::getline(text, line)) {
        if (text.eof())
            break;
        if (line.find('\t') != std::string::npos)
            ++state.steps;
        else if (line.rfind("commit", 0) == 0)
            state.committed = true;
    }
    return state;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: freeze_at_journal_step PID FOLDER JOURNAL STEPS\n");
        return 2;
    }
    const pid_t pid = static_cast<pid_t>(std::atoi(argv[1]));
    const std::string folder = argv[2];
    const std::string journal = folder + "/" + argv[3];
    const int wanted = std::atoi(argv[4]);
    const int watcher = inotify_init1(IN_NONBLOCK);
    // The installer makes the folder with its journal: until then its
    // parent is watched, for the folder's creation.
    bool watchingFolder = inotify_add_watch(watcher, folder.c_str(), kChanges) >= 0;
    if (watcher < 0 || (!watchingFolder && inotify_add_watch(watcher, ParentOf(folder).c_str(), kChanges) < 0)) {
        std::perror("freeze_at_journal_step: cannot watch the folder or its parent");
        return 2;
    }
    bool seen = false;
    for (int quietMs = 0; quietMs < kQuietLimitMs;) {
        if (!watchingFolder)
            watchingFolder = inotify_add_watch(watcher, folder.c_str(), kChanges) >= 0;
        const JournalState state = ReadJournal(journal);
        seen = seen || state.exists;
        const bool gone = seen && !state.exists;
        if (state.steps >= wanted || state.committed || gone) {
            kill(pid, SIGSTOP);
            const JournalState frozen = ReadJournal(journal);
            std::printf("frozen at step %d%s\n", frozen.steps,
                        frozen.committed || !frozen.exists ? ", after the commit" : "");
            return 0;
        }
        if (kill(pid, 0) != 0)
            return 1;
        pollfd event = {watcher, POLLIN, 0};
        if (poll(&event, 1, kPollMs) > 0) {
            char buffer[4096];
            while (read(watcher, buffer, sizeof buffer) > 0) {
            }
            quietMs = 0;
        } else {
            quietMs += kPollMs;
        }
    }
    return 2;
}
