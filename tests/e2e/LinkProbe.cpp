// Prints the target of a shell link (.lnk) as the shell reads it back:
//   link_probe FILE.lnk
// Exit 1, with the reason on standard error, when the file is no link.
#include <shlobj.h>

#include <cstdio>

namespace {

int ReadTarget(const char* path) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        std::fprintf(stderr, "link_probe: no shell link object\n");
        return 1;
    }
    IPersistFile* file = nullptr;
    wchar_t wide[MAX_PATH] = {};
    char target[MAX_PATH] = {};
    const bool read = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                      MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) &&
                      SUCCEEDED(file->Load(wide, STGM_READ)) &&
                      SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH));
    if (file)
        file->Release();
    link->Release();
    if (!read) {
        std::fprintf(stderr, "link_probe: %s cannot be read as a link\n", path);
        return 1;
    }
    std::printf("%s\n", target);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: link_probe FILE.lnk\n");
        return 2;
    }
    CoInitialize(nullptr);
    const int result = ReadTarget(argv[1]);
    CoUninitialize();
    return result;
}
