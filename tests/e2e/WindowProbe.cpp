// Waits for a visible top-level window of exactly that title in any
// process, such as a program another program started, and closes it:
//   window_probe TITLE TIMEOUT_MS
// Prints "closed" (exit 0) or "none" (exit 1) once the time is up.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/Polling.h"
#include "tests/e2e/WindowSearch.h"

namespace {

struct Search {
    std::string title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<Search*>(search);
    if (IsWindowVisible(window) && CaptionOf(window) == s.title) {
        s.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindAnyTopLevel(const std::string& title) {
    Search search{title, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_probe TITLE TIMEOUT_MS\n");
        return 2;
    }
    HWND window = nullptr;
    if (!PollUntil(std::atoi(argv[2]), [&] { return (window = FindAnyTopLevel(argv[1])) != nullptr; })) {
        std::printf("none\n");
        return 1;
    }
    // A message box takes WM_CLOSE as its OK button.
    PostMessageA(window, WM_CLOSE, 0, 0);
    std::printf("closed\n");
    return 0;
}
