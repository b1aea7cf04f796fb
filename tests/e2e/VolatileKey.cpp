// Makes a volatile key under HKEY_CURRENT_USER, under which the registry
// refuses to create any lasting key: a scenario's way to make the
// installer's registry work fail.
//   volatile_key SUBKEY
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: volatile_key SUBKEY\n");
        return 2;
    }
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, argv[1], 0, nullptr, REG_OPTION_VOLATILE,
                                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "volatile_key: cannot create HKCU\\%s: error %ld\n", argv[1], result);
        return 1;
    }
    RegCloseKey(key);
    return 0;
}
