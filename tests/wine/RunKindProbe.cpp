// Tells how Windows runs this program: as a 32-bit program on 64-bit Windows
// (WoW64) or natively, with pointers of which size, which program-files
// folder the shell gives it, and whether it can open a window and draw. The
// 32-bit build's copy shows whether this machine runs 32-bit programs under
// wine64 at all, and whether with windows: Wine's own WoW64, which it uses
// where the 32-bit loader cannot run, has no display driver for them in some
// versions. A test checks that every run of the Windows suites is the kind
// of run it claims to be.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

namespace {

constexpr COLORREF kProbeColour = RGB(1, 2, 3);

bool CanDraw() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool drawn = false;
    if (dc && bitmap) {
        const HGDIOBJ previous = SelectObject(dc, bitmap);
        SetPixel(dc, 0, 0, kProbeColour);
        drawn = GetPixel(dc, 0, 0) == kProbeColour;
        SelectObject(dc, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (dc)
        DeleteDC(dc);
    return drawn;
}

bool CanOpenWindow() {
    const HWND window = CreateWindowExA(0, "STATIC", "Run kind probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return false;
    DestroyWindow(window);
    return true;
}

}  // namespace

int main() {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64))
        return 1;
    char programFiles[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE))
        return 1;
    std::printf("wow64 %d\npointer %u\nprogram-files %s\nwindows %s\n", wow64 ? 1 : 0,
                static_cast<unsigned>(sizeof(void*)), programFiles, CanOpenWindow() && CanDraw() ? "yes" : "no");
    return 0;
}
