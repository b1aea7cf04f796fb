// Stands in for a library an attacker plants in a downloads folder. A program
// that loads it could be made to run its code; the marker shows it was loaded.
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) int PlantedMarker() {
    return 1;
}

// Also leaves {its own path}.loaded behind, so that a test sees the load even
// when the program that made it failed or ended.
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH + sizeof ".loaded"];
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    std::strcpy(path + length, ".loaded");
    HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    return TRUE;
}
