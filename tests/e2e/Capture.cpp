#include "tests/e2e/Capture.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "tests/e2e/Polling.h"
#include "tests/e2e/portable/BmpFile.h"
#include "toolkit/surface/GdiScope.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 2000;
constexpr ULONGLONG kSettleMs = 150;

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The pixels of a screen rectangle as a top-down 32-bit DIB gives them.
bool GrabScreen(const RECT& r, std::vector<uint8_t>& pixels) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    ScreenDc screen;
    CMemoryDC memory(screen.dc);
    const BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    CGdiObject<HBITMAP> bitmap(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap)
        return false;
    CScopedSelect select(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.dc, r.left, r.top, SRCCOPY))
        return false;
    GdiFlush();
    const uint8_t* first = static_cast<const uint8_t*>(bits);
    pixels.assign(first, first + static_cast<size_t>(width) * height * 4);
    return true;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

// Grabs until the picture has stayed the same for kSettleMs, so controls
// still being created or painted are not caught half-way.
bool GrabSettled(const RECT& r, int timeoutMs, std::vector<uint8_t>& pixels, std::string& error) {
    if (r.right <= r.left || r.bottom <= r.top) {
        error = "the rectangle is empty";
        return false;
    }
    std::vector<uint8_t> latest;
    ULONGLONG changed = GetTickCount64();
    bool grabbed = true;
    const bool settled = PollUntil(timeoutMs, [&] {
        grabbed = GrabScreen(r, latest);
        if (latest != pixels) {
            pixels.swap(latest);
            changed = GetTickCount64();
        }
        return !grabbed || GetTickCount64() - changed >= kSettleMs;
    });
    if (!grabbed)
        error = "cannot read the screen";
    else if (!settled)
        error = "the picture kept changing for " + std::to_string(timeoutMs) + " ms";
    return grabbed && settled;
}

bool CaptureRect(const RECT& r, int timeoutMs, const std::string& path, std::string& error) {
    std::vector<uint8_t> pixels;
    return GrabSettled(r, timeoutMs, pixels, error) &&
           WriteFileBytes(path, MakeBmp24(r.right - r.left, r.bottom - r.top, pixels), error);
}

// Raised even where the system refuses another process the foreground; the
// window's thread has handled what was sent before once it answers.
void BringToFront(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(window);
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored);
}

}  // namespace

bool CaptureWindow(HWND window, const std::string& path, int timeoutMs, std::string& error) {
    BringToFront(window);
    RECT r;
    if (!GetWindowRect(window, &r)) {
        error = "the window has gone";
        return false;
    }
    return CaptureRect(r, timeoutMs, path, error);
}

bool CaptureScreen(const std::string& path, int timeoutMs, std::string& error) {
    const RECT r = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return CaptureRect(r, timeoutMs, path, error);
}
