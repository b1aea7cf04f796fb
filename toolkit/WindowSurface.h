// The drawing object of one toolkit window or off-screen surface: its back
// buffer and colours, and the per-window state the window procedure keeps
// (latches, callbacks, recorded position, key buffer).
#pragma once

#include <atomic>
#include <mutex>

#include "toolkit/Platform.h"

class CCorvaneCore;

// A message as the window's hook sees it; the hook sets handled to make its
// own result the message's result.
struct HookMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool handled = false;
};

using CloseCallback = void (*)(void* user, int window);
using MessageHook = LRESULT (*)(void* user, HookMessage& message);
using TimerCallback = void (*)(void* user, int window, UINT_PTR timerId);

// Read-and-clear flags and values written by the main thread's window
// procedure and read by the program's thread.
struct WindowLatches {
    std::atomic<int> closeRequested{0};
    std::atomic<int> closeState{0};  // 16 once a waiting thread consumed a close
    std::atomic<int> mouseClicked{0};
    std::atomic<int> doubleClicked{0};
    std::atomic<int> mouseMoved{0};
    std::atomic<int> buttonDown{0};
    std::atomic<int> buttonUp{0};
    std::atomic<int> wheel{0};
    std::atomic<int> mouseX{0}, mouseY{0};
    std::atomic<int> mouseSeen{0};
    std::atomic<int> menuCommand{0}, menuItem{0};
    std::atomic<int> timer{0};
    std::atomic<int> userValue{0};
    std::atomic<int> shiftDown{0}, ctrlDown{0};
    std::atomic<int> posX{0}, posY{0};  // from WM_MOVE: the client origin on screen
};

// Characters and movement keys typed into a window, oldest first. A full
// buffer drops the oldest key.
class CKeyBuffer {
  public:
    void Push(int key);
    int Pop();  // 0 when empty

  private:
    static constexpr int kCapacity = 64;
    std::mutex m_stMutex;
    int m_nKeys[kCapacity] = {};
    int m_nFirst = 0;
    int m_nCount = 0;
};

class CWindowSurface {
  public:
    explicit CWindowSurface(CCorvaneCore& core) : m_pCore(&core) {}
    ~CWindowSurface();
    CWindowSurface(const CWindowSurface&) = delete;
    CWindowSurface& operator=(const CWindowSurface&) = delete;

    // Sets up the window's contexts and a back buffer of width x height
    // (0 = the client size), cleared to the background colour.
    void CreateWindowSurface(HWND window, int width, int height, bool asDialog, bool createdHidden);
    // An off-screen surface compatible with another surface's window.
    bool CreateOffscreenSurface(int width, int height, const CWindowSurface& compatible);
    void DestroySurface();

    // WM_PAINT: the first paint of a visible window clears it; later ones copy
    // the back buffer.
    void Paint(HDC paintDC);
    // Copies the back buffer to the window; false when the copy failed.
    bool Present();
    // Present, retried while another thread holds the context.
    void Update();

    int Width() const { return m_stClient.right; }
    int Height() const { return m_stClient.bottom; }
    HDC WindowDC() const { return m_hWindowDC; }
    HWND Window() const { return m_hWindow; }
    void SetUpdateMode(int mode) { m_nUpdateMode = mode; }
    void SetClientOffset(int x, int y) { m_nClientOffsetX = x, m_nClientOffsetY = y; }
    void MarkForRepaint() { m_nPaintCount = 0; }

    WindowLatches latches;
    CKeyBuffer keys;
    std::atomic<int> frozen{0};
    std::atomic<int> busy{0};
    std::atomic<int> keepOpen{0};
    // Callbacks and hook are set by the program before it relies on them and
    // called on the main thread.
    CloseCallback closeCallback = nullptr;
    void* closeUser = nullptr;
    CloseCallback destroyCallback = nullptr;
    void* destroyUser = nullptr;
    MessageHook hook = nullptr;
    void* hookUser = nullptr;
    HookMessage hookMessage;
    TimerCallback timerCallback = nullptr;
    void* timerUser = nullptr;

  private:
    void FillBackground(HDC dc);
    void SelectDefaults(HDC dc);

    CCorvaneCore* m_pCore;
    HWND m_hWindow = nullptr;
    HDC m_hWindowDC = nullptr;
    HDC m_hBackDC = nullptr;
    HBITMAP m_hBackBitmap = nullptr;
    HGDIOBJ m_hInitialBitmap = nullptr;
    HBRUSH m_hBackgroundBrush = nullptr;
    COLORREF m_nBackground = RGB(0, 0, 96);
    COLORREF m_nText = RGB(255, 255, 255);
    RECT m_stClient = {};
    int m_nClientOffsetX = 0, m_nClientOffsetY = 0;
    int m_nUpdateMode = 2;
    int m_nPaintCount = 0;
    bool m_bCreatedHidden = false;
    bool m_bOffscreen = false;
};
