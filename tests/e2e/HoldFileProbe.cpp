// Holds a file open the way a program using it does, sharing it for reading
// only, so that nobody can delete it meanwhile; lets go once a release file
// appears (or after two minutes):
//   hold_file_probe FILE RELEASE
// Prints "held" once the file is open.
#include <windows.h>

#include <cstdio>

namespace {

constexpr DWORD kLongestHold = 120000;
constexpr DWORD kPollInterval = 20;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: hold_file_probe FILE RELEASE\n");
        return 2;
    }
    const HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hold_file_probe: cannot open %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    for (DWORD waited = 0; waited < kLongestHold && GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES;
         waited += kPollInterval)
        Sleep(kPollInterval);
    CloseHandle(file);
    return 0;
}
