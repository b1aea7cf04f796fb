// The drawing object of one toolkit window or off-screen surface: its back
// buffer and colours, and the per-window state the window procedure keeps
// (latches, callbacks, recorded position, key buffer).
#pragma once

#include <atomic>
#include <mutex>

#include "toolkit/portable/core/AtomicBinding.h"
#include "toolkit/core/Platform.h"
#include "toolkit/portable/surface/SurfaceBusy.h"

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

// A callback with its user value, set and read as one.
template <typename Function>
struct CallbackBinding {
    Function function = nullptr;
    void* user = nullptr;
};

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
    // Main thread (WM_DESTROY): no drawing starts any more, and the contexts
    // go now, or, when a drawing thread holds the surface, as it lets go.
    void DestroySurface();

    // Runs draw(*this) with the surface held for reason, so that its contexts
    // outlive the drawing; false, without drawing, once the surface is
    // destroyed. Another thread waits for a holder; the main thread never
    // waits for one and draws only when the surface is free.
    template <typename Draw>
    bool Hold(CSurfaceBusy::Reason reason, Draw draw) {
        const bool held = OnMainThread() ? busy.TryAcquire(reason) : busy.Acquire(reason, [] { Sleep(0); });
        if (!held)
            return false;
        draw(*this);
        if (busy.Release())
            ReleaseResources();
        return true;
    }

    // WM_PAINT: the first paint of a visible window clears it; later ones copy
    // the back buffer.
    void Paint(HDC paintDC);
    // Copies the back buffer to the window; false when the copy failed.
    bool Present();
    // Holds the surface and presents, retried while another thread holds the
    // window's context.
    void Update();

    int Width() const { return m_stClient.right; }
    HDC BackDC() const { return m_hBackDC; }
    int Height() const { return m_stClient.bottom; }
    HDC WindowDC() const { return m_hWindowDC; }
    HWND Window() const { return m_hWindow; }
    void SetUpdateMode(int mode) { m_nUpdateMode = mode; }
    void SetClientOffset(int x, int y) { m_nClientOffsetX = x, m_nClientOffsetY = y; }
    void MarkForRepaint() { m_nPaintCount = 0; }

    WindowLatches latches;
    CKeyBuffer keys;
    std::atomic<int> frozen{0};
    CSurfaceBusy busy;
    std::atomic<int> keepOpen{0};
    // Set by the program's thread, called on the window's thread.
    CAtomicBinding<CallbackBinding<CloseCallback>> closeCallback;
    CAtomicBinding<CallbackBinding<CloseCallback>> destroyCallback;
    CAtomicBinding<CallbackBinding<MessageHook>> hook;
    HookMessage hookMessage;
    CAtomicBinding<CallbackBinding<TimerCallback>> timerCallback;

  private:
    bool OnMainThread() const;
    void ReleaseResources();
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
