// The drawing object of one toolkit window or off-screen surface: its back
// buffer and colours, and the per-window state the window procedure keeps
// (latches, callbacks, recorded position, key buffer).
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "toolkit/portable/core/AtomicBinding.h"
#include "toolkit/core/Platform.h"
#include "toolkit/portable/surface/SurfaceBusy.h"

class CCorvaneCore;
class TextWindow;

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
    // The next key, waiting up to timeoutMs for one; 0 when none came.
    int PopWaiting(unsigned timeoutMs);

  private:
    static constexpr int kCapacity = 64;
    int PopLocked();

    std::mutex m_stMutex;
    std::condition_variable m_stTyped;
    int m_nKeys[kCapacity] = {};
    int m_nFirst = 0;
    int m_nCount = 0;
};

struct NamedFont;

// Where drawing goes (the update mode).
enum UpdateMode : int {
    kUpdateAutomatic = 0,  // straight to the window while it is fully visible, else buffered
    kUpdateDirect = 1,     // straight to the window
    kUpdateBuffered = 2,   // to the back buffer, shown by presenting
};

class CWindowSurface {
  public:
    explicit CWindowSurface(CCorvaneCore& core);
    ~CWindowSurface();
    CWindowSurface(const CWindowSurface&) = delete;
    CWindowSurface& operator=(const CWindowSurface&) = delete;

    // Sets up the window's contexts and a back buffer of width x height
    // (0 = the client size), cleared to the background colour.
    void CreateWindowSurface(HWND window, int width, int height, bool asDialog, bool createdHidden);
    // An off-screen surface compatible with another surface's window: one
    // memory context serves as window, back-buffer and current context.
    bool CreateOffscreenSurface(int width, int height, const CWindowSurface& compatible);
    // Main thread (WM_DESTROY): no drawing starts any more, and the contexts
    // go now, or, when a drawing thread holds the surface, as it lets go.
    void DestroySurface();

    // Runs draw(*this) with the surface held for reason, so that its contexts
    // outlive the drawing; false, without drawing, once the surface is
    // destroyed. Another thread waits for a holder; the main thread never
    // waits for one and draws only when the surface is free. The drawing
    // calls below expect the caller to hold the surface.
    template <typename Draw>
    bool Hold(CSurfaceBusy::Reason reason, Draw draw) {
        const bool held = OnMainThread() ? busy.TryAcquire(reason) : busy.Acquire(reason, [] { Sleep(0); });
        if (!held)
            return false;
        draw(*this);
        if (busy.Release())
            ReleaseResources();
        else if (m_bRepaintWanted.exchange(false))
            InvalidateRect(m_hWindow, nullptr, FALSE);
        return true;
    }

    // WM_PAINT: the first paint of a visible window clears it and its back
    // buffer; later ones copy the back buffer while buffered.
    void Paint(HDC paintDC);
    void PaintHeld(HDC paintDC);
    // Copies the back buffer to the window when buffered and auto-present
    // is on; false when nothing was copied.
    bool Present();
    // Presents even with auto-present off, retried while another thread
    // holds the window's context.
    void Update();
    void DontUpdate() { m_bAutoPresent = false; }
    void AutoUpdate();
    // Sets the update mode and switches buffering to suit it (AutoBuffer,
    // DontBuffer, AlwaysBuffer); reevaluate false leaves buffering as it is.
    // A text window's host keeps drawing straight to the window.
    void SetUpdateMode(UpdateMode mode, bool reevaluate = true);
    // For good: a text window paints its host itself and never shows the
    // back buffer, so the host's drawing goes to the window context.
    void DrawStraightToWindow();
    // Drawing to the back buffer, and back; also for child windows' surfaces.
    void BeginBuffered();
    void EndBuffered();
    // True when part of the window (or of the inner area) is hidden.
    bool IsObscured() const;

    // Colours: the background brush and colour of both contexts; the text
    // colour of both.
    void SetBackgroundColour(COLORREF colour);
    void SetTextColour(COLORREF colour);
    void SetBgMode(bool opaque);
    COLORREF BackgroundColour() const { return m_nBackground; }
    COLORREF TextColour() const { return m_nText; }
    HBRUSH BackgroundBrush() const { return m_hBackgroundBrush; }

    // Fonts: selects a font into both contexts and measures the line height.
    void SelectFont(HFONT font);
    HFONT CurrentFont() const { return m_hCurrentFont; }
    HFONT BaseFont() const { return m_hBaseFont; }
    const NamedFont* CurrentRecord() const { return m_pCurrentRecord; }
    // The font a font text gave the window; the previous one is returned
    // so that the caller can delete it when it belonged to no record.
    HFONT SetCurrentFont(HFONT font, const NamedFont* record);
    void SetCurrentRecord(const NamedFont* record) { m_pCurrentRecord = record; }
    int LineHeight() const { return m_nLineHeight; }
    int MeasureLineHeight(HDC dc) const;

    // An optional sub-area that clips drawing and moves the origin; null
    // switches it off.
    void SetInnerArea(const RECT* area);

    int Width() const { return m_stClient.right; }
    int Height() const { return m_stClient.bottom; }
    const RECT& ClientRect() const { return m_stClient; }
    const RECT& DrawingArea() const { return m_stDrawingArea; }
    POINT Origin() const { return m_stOrigin; }
    HDC WindowDC() const { return m_hWindowDC; }
    HDC BackDC() const { return m_hBackDC; }
    HDC CurrentDC() const { return m_hCurrentDC; }
    HWND Window() const { return m_hWindow; }
    CCorvaneCore& Core() const { return *m_pCore; }
    // The text window this window hosts ("textonly"), which takes its text
    // and its colour and font changes; null for other windows.
    TextWindow* HostedTextWindow() const { return m_pTextWindow; }
    void HostTextWindow(TextWindow* textWindow) { m_pTextWindow = textWindow; }
    bool IsOffscreen() const { return m_bOffscreen; }
    bool IsBuffered() const { return m_bBuffered; }
    UpdateMode Mode() const { return m_nUpdateMode; }
    void SetKeepBackBuffer(bool keep) { m_bKeepBackBuffer = keep; }
    void SetClientOffset(int x, int y) { m_nClientOffsetX = x, m_nClientOffsetY = y; }

    // Drawing state shared with the drawing operations.
    int thickness = 0;
    struct Gradient {
        bool on = false;
        COLORREF left = 0, right = 0;
    } gradient;
    struct LastImage {
        int width = 0, height = 0;
        RECT placed = {};
    } lastImage;
    POINT sourcePosition = {};  // of an area saved by SaveArea
    POINT cursor = {};          // the text cursor, relative to the origin
    bool autoScroll = true;

    WindowLatches latches;
    CKeyBuffer keys;
    std::atomic<int> frozen{0};
    CSurfaceBusy busy;
    std::atomic<int> keepOpen{0};
    // The button Escape presses (a handle), 0 for the close box's way.
    std::atomic<int> cancelButton{0};
    // Main thread: the control that had the focus when the window was
    // deactivated, given it back when the window is activated again.
    HWND savedFocus = nullptr;
    // 0 none; otherwise the window gets a drop shadow when shown, which with
    // 1 gives way to the shadows of desktop composition and with 2 does not.
    std::atomic<int> shadowMode{0};
    // Set by the program's thread, called on the window's thread.
    CAtomicBinding<CallbackBinding<CloseCallback>> closeCallback;
    CAtomicBinding<CallbackBinding<CloseCallback>> destroyCallback;
    CAtomicBinding<CallbackBinding<MessageHook>> hook;
    HookMessage hookMessage;
    CAtomicBinding<CallbackBinding<TimerCallback>> timerCallback;

  private:
    bool OnMainThread() const;
    void ReleaseResources();
    void SelectDefaults(HDC dc);
    void FillBackground(HDC dc);
    void UpdateMetrics();
    void CopyWindowToBackBuffer();
    void ShowBackBuffer();
    template <typename Each>
    void ForEachChildSurface(Each each);

    CCorvaneCore* m_pCore;
    TextWindow* m_pTextWindow = nullptr;
    HWND m_hWindow = nullptr;
    HDC m_hWindowDC = nullptr;
    HDC m_hBackDC = nullptr;
    HDC m_hCurrentDC = nullptr;
    HBITMAP m_hBackBitmap = nullptr;
    HGDIOBJ m_hInitialBitmap = nullptr;
    HBRUSH m_hBackgroundBrush = nullptr;
    HFONT m_hCurrentFont = nullptr;
    HFONT m_hBaseFont = nullptr;
    const NamedFont* m_pCurrentRecord = nullptr;
    COLORREF m_nBackground = RGB(0, 0, 96);
    COLORREF m_nText = RGB(255, 255, 255);
    RECT m_stClient = {};
    RECT m_stDrawingArea = {};
    POINT m_stOrigin = {};
    HRGN m_hInnerRegion = nullptr;
    HRGN m_hClientRegion = nullptr;
    int m_nLineHeight = 0;
    int m_nClientOffsetX = 0, m_nClientOffsetY = 0;
    UpdateMode m_nUpdateMode = kUpdateBuffered;
    int m_nPaintCount = 0;
    bool m_bAutoPresent = true;
    bool m_bBuffered = false;
    bool m_bKeepBackBuffer = false;
    bool m_bCreatedHidden = false;
    bool m_bOffscreen = false;
    // A paint found the surface held by a drawing thread, which paints the
    // window again as it lets go.
    std::atomic<bool> m_bRepaintWanted{false};
};
