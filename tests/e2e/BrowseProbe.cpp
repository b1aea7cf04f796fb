// browse_probe OUT_FILE: opens the system folder browser with the
// installer's title and writes the chosen folder to OUT_FILE. Ends with 0
// when a folder was chosen, 3 when the browser was cancelled, 2 for a
// missing argument or a file it cannot write.
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>

#include "toolkit/core/Platform.h"

namespace {

constexpr int kCancelled = 3;
constexpr int kBadUse = 2;

bool WriteText(const char* path, const char* text) {
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fputs(text, file) >= 0;
    return std::fclose(file) == 0 && written;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 2)
        return kBadUse;
    CoInitialize(nullptr);
    BROWSEINFOA info{};
    info.lpszTitle = "Select Installation Directory.";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen)
        return kCancelled;
    char path[MAX_PATH] = "";
    const bool found = SHGetPathFromIDListA(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    return found && WriteText(__argv[1], path) ? 0 : kBadUse;
}
