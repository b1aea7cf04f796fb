// The toolkit core: one per process. It owns the registry of items, the
// hidden frame window through which other threads reach the main thread, the
// default GDI objects, the colour names and the event wait list.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "toolkit/portable/core/AtomicBinding.h"
#include "toolkit/portable/options/ColourTable.h"
#include "toolkit/portable/options/WindowOptions.h"
#include "toolkit/controls/ButtonOps.h"
#include "toolkit/controls/MenuOps.h"
#include "toolkit/controls/ScrollBarOps.h"
#include "toolkit/controls/ListBoxOps.h"
#include "toolkit/controls/TrackbarOps.h"
#include "toolkit/core/CorItem.h"
#include "toolkit/core/Platform.h"
#include "toolkit/core/SystemApis.h"
#include "toolkit/portable/controls/LastControl.h"
#include "toolkit/fonts/FontRegistry.h"
#include "toolkit/portable/events/WaitList.h"
#include "toolkit/core/WindowOps.h"

// The request message of the frame and user windows; wParam is a sub-code.
constexpr UINT kRequestMessage = WM_USER + 22;

enum RequestCode : WPARAM {
    kRequestCreate = 0,         // frame: create the item described by lParam
    kRequestAttachToggle = 2,   // frame: detach or re-attach the child window lParam
    kRequestRunCall = 3,        // frame: run the call of item lParam
    kRequestSuspendWaiter = 4,  // frame: suspend the waiting thread
    kRequestFreeze = 5,         // user window: stop painting
    kRequestRaiseEvent = 6,     // user window: raise event lParam
    kRequestDestroy = 7,        // frame: destroy window lParam
    kRequestRunCallHere = 8,    // user window: run the call of item lParam
    kRequestActivate = 9,       // user window: bring to the front with the focus
    kRequestShadow = 10,        // user window: give it a drop shadow; lParam 1 = always
    kRequestDecidePending = 11,   // frame: decide the events kept by windows of other threads
    kRequestEndSetUp = 12,        // frame: end a wait's set-up that does not suspend (lock held)
    kRequestDestroyHere = 13,     // user window: destroy this window on its own thread
    kRequestStartTextRefresh = 14,  // frame: start the text windows' refresh timer
    kRequestSetScrollBar = 15,      // text window: set the scroll bar to the lines held
    kRequestShow = 16,              // user window: ShowWindow with the mode in lParam, its saved control focused
};

// The system-menu item that puts a detached window back.
constexpr WPARAM kReAttachCommand = 1234;

// What a creation call hands the creating thread; the result comes back in it.
struct CreationRequest;

enum class RaiseResult { NoneWaiting, Resumed, Pending };

// Offered the frame window's messages of one number before the toolkit sees
// them; any result but -1 is the message's result.
using FrameHook = LRESULT (*)(void* user, WPARAM wParam, LPARAM lParam);

struct FrameHookBinding {
    UINT message = 0;
    FrameHook hook = nullptr;
    void* user = nullptr;
};

class CCorvaneCore {
  public:
    CCorvaneCore(HWND parent, HINSTANCE instance);
    CCorvaneCore(const CCorvaneCore&) = delete;
    CCorvaneCore& operator=(const CCorvaneCore&) = delete;

    // Registry. Handles are 1-based and never reused.
    CorItem* FindItem(int handle) const;
    CorItem* FindLiveItem(int handle, int kind) const;
    CorItem* FindWindowItem(int handle) const { return FindLiveItem(handle, kKindWindow); }
    CorItem* FindItemByWindow(HWND window) const;
    int Count() const { return m_nCount.load(); }

    // Creation. The first window of the process also makes the frame window
    // and makes the calling thread the toolkit's main thread.
    int CreateFirstWindow(int x, int y, int width, int height, const char* title, const char* options);
    int CreateWindow(int x, int y, int width, int height, const char* title, const char* options);
    int CreateBitmap(int width, int height);

    // The plain forms of the drawing and text operations act on the current window.
    HFONT SetFont(const char* fontText) { return Window.SetFont(CurrentWindow(), fontText); }
    int Cls(int colour1 = -1, int colour2 = -1) { return Window.Cls(CurrentWindow(), colour1, colour2); }
    int Write(const char* text) { return Window.Write(CurrentWindow(), text); }
    int Writeln(const char* text) { return Window.Writeln(CurrentWindow(), text); }
    int GotoXY(int x, int y) { return Window.GotoXY(CurrentWindow(), x, y); }
    int Update() { return Window.Update(CurrentWindow()); }

    int SetCurrentWindow(int handle);
    int ResetCurrentWindow();
    int CurrentWindow() const { return m_nCurrentWindow.load(); }

    // Blocks the calling thread until one of the events of list happens in
    // window (or, with peek, only registers them). 1 when woken or nothing to
    // wait for, 0 for a bad window or list.
    int WaitEvents(int window, const char* list, int peek);
    int RaiseUserEvent(int window, int value);
    // Main thread only: delivers an event of window to the waiting thread.
    RaiseResult RaiseEvent(int code, CorItem* window);

    // Runs callback(first, second) on the main thread while the caller is
    // suspended; 1 once it ran, 0 when there is no window 1 to carry it.
    int RunOnMainThread(MainThreadCallback callback, void* first, void* second);
    // The same on the thread that owns window.
    int RunOnWindowThread(int window, MainThreadCallback callback, void* first, void* second);
    int FreezeWindow(int window);
    int UnfreezeWindow(int window);

    // Hooks messages of one number reaching the frame window; a null hook
    // disables it.
    void SetFrameHook(UINT message, FrameHook hook, void* user);

    CToolkitLock& ToolkitLock() { return m_stLock; }
    HWND FrameWindow() const { return m_hFrame; }
    HINSTANCE Instance() const { return m_hInstance; }
    bool OnMainThread() const { return GetCurrentThreadId() == m_nMainThreadId; }
    bool IsWaiterSuspended() const { return m_nSuspended.load() != 0; }
    bool IsSuspensionAsked() const {
        const int handshake = m_nHandshake.load();
        return handshake == kHandshakeAsked || handshake == kHandshakeWaiting;
    }
    HFONT CurrentFont() const { return m_hCurrentFont; }
    CFontRegistry& Fonts() { return m_stFonts; }
    // One Write at a time, toolkit-wide.
    CToolkitLock& WriteLock() { return m_stWriteLock; }
    ShadowStyle Shadow() const;
    // Blur passes, strength in per cent, and the text's offset from its shadow.
    void SetShadowStyle(int blurPasses, int strengthPercent, int offsetX, int offsetY);
    HDC FrameDC() const { return m_hFrameDC; }
    // Registers a font under a name (under 100 characters, any case) and
    // selects it into window 1; 0.
    int DefineFont(const char* name, const char* fontText);
    const SystemApis& Apis() const { return m_stApis; }
    CColourTable& Colours() { return m_stColours; }
    HPEN WhitePen() const { return m_hWhitePen; }
    HPEN DarkGreyPen() const { return m_hDarkGreyPen; }
    HPEN GreyPen() const { return m_hGreyPen; }
    HBRUSH BlackBrush() const { return m_hBlackBrush; }
    // Toolkit-wide: non-zero while a window procedure handles a paint
    // message (the paint handler writes its progress into it).
    std::atomic<int>& PaintingFlag() { return m_nPainting; }

    // Calls each(surface) for every live window whose parent window is parent.
    template <typename Each>
    void ForEachChildSurface(HWND parent, Each each) const {
        for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
            if (item->live.load() && item->kind == kKindWindow && item->parent && item->parent->window == parent)
                each(*item->surface);
        }
    }

    // Operations by handle: Window.Close, Window.Cls, ... for windows;
    // Bitmap.Cls, Bitmap.PutBitmap, ... for off-screen surfaces.
    CWindowOps Window;
    CTextOps Bitmap;
    CButtonOps Button;
    CScrollBarOps ScrollBar;
    CMenuOps Menu;
    CListBoxOps ListBox;
    CTrackbarOps TrackBar;

    // The size and right and bottom edges of the last button made, to place
    // the next control beside or below it.
    LastControl LastControlPlaced() const { return m_stLastControl; }

    // Messages of buttons and edit boxes the toolkit handles before the
    // system's procedure (systemProc); true with result when it handled one.
    bool OnButtonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnEditMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC systemProc,
                       LRESULT& result);
    // Called by the message loop before a message is translated: the keys
    // of a dialog (Tab, Shift+Tab, Space, Enter, Escape) and the document
    // keys and wheel of a toolkit window. True when it used the message.
    bool TranslateKeyboard(const MSG& message);
    // Keys that reach a button go to this window instead; null for none.
    void SetKeyboardTarget(HWND window) { m_hKeyboardTarget.store(window); }
    // Paints a transparent button's saved background into dc at r; false
    // when it has none.
    bool PaintSavedBackground(const ButtonState& b, HDC dc, const RECT& r);

    // Window procedures (static entry points find the core).
    static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK UserWindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK TextWindowProc(HWND, UINT, WPARAM, LPARAM);

    // While set, check boxes and radio buttons are made system-drawn. The
    // installer sets it once its first window exists.
    void SetSystemCheckBoxes(bool on) { m_bSystemCheckBoxes = on; }
    bool SystemCheckBoxes() const { return m_bSystemCheckBoxes.load(); }

    // The refresh timer of text windows starts with the first of them and
    // runs for the rest of the toolkit's life.
    void StartTextRefresh();
    void RefreshTextWindows();

  private:
    friend class CWindowOps;
    friend class CSurfaceOps;
    friend class CTextOps;
    friend class CButtonOps;
    friend class CScrollBarOps;
    friend class CMenuOps;
    friend class CListBoxOps;
    friend class CTrackbarOps;

    int Create(CreationRequest& request);
    int CreateWindowItem(CorItem* parent, int x, int y, int width, int height, const char* title,
                         const char* options);
    void CreateOnThisThread(CreationRequest& request);
    void CreateUserWindow(CreationRequest& request);
    void CreateOffscreenItem(CreationRequest& request);
    void CreateButtonItem(CreationRequest& request);
    void CreateScrollBarItem(CreationRequest& request);
    void CreateEditBoxItem(CreationRequest& request);
    int CreateListControl(int kind, int window, int x, int y, int width, int height, const char* options);
    void CreateListItem(CreationRequest& request);
    void CreateTrackbarItem(CreationRequest& request);
    void CreatePanelItem(CreationRequest& request);
    HANDLE OpenButtonTheme(const ButtonOptions& options, HWND parent) const;
    bool OnScrollMessage(CorItem& window, UINT message, WPARAM wParam, HWND control);
    void OnButtonCommand(HWND control, WORD notification);
    void PressButton(CorItem& item);
    void ReleaseButton(CorItem& item);
    void ToggleCheckBox(CorItem& item);
    // Keyboard navigation (KeyboardNavigation.cpp).
    CorItem* ScreenOf(HWND window) const;
    std::vector<HWND> TabStops(HWND screen) const;
    CorItem* DefaultButton(HWND screen) const;
    CorItem* DocumentOf(HWND screen) const;
    bool MoveFocus(HWND from, bool backwards);
    bool PressFromKeyboard(HWND focus, const MSG& message);
    bool TakeWayOut(CorItem& screen);
    void ScrollDocument(HWND screen, UINT message, WPARAM wParam);
    bool KeepFocus(CorItem& window, WPARAM activation);
    void RememberFocus(CorItem& window, bool hiding);
    bool RestoreFocus(CorItem& window, bool bringToFront);
    void ShowWithFocus(CorItem& window, int mode);
    bool OnButtonHover(CorItem& item, UINT message, LPARAM lParam);
    void ShowInLinkedTextWindow(const CorItem& list, int selection);
    bool OnListCommand(CorItem& window, HWND control, WORD notification);
    bool OnListColours(HDC dc, HWND control, LRESULT& result);
    CorItem* FindListItem(HWND control) const;
    // A control's window is gone: the item is no longer live and what only
    // it used is freed. Once per control, whichever way its window went.
    void RetireControl(CorItem& control);
    void RetireControlsOf(const CorItem& window);
    void RetireBitmap(int handle);
    // What a control made for itself: a button's font, theme and saved
    // background, a list's font and brush.
    void ReleaseButtonResources(ButtonState& b);
    static void ReleaseListResources(ListState& l);
    bool OnDrawItem(WPARAM wParam, LPARAM lParam);
    bool PaintButton(CorItem& item, const DRAWITEMSTRUCT& draw);
    CorItem* RegisterItem(std::unique_ptr<CorItem> item);
    void CreateFrameWindow(int x, int y, int width, int height, const char* title);

    LRESULT OnFrameMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnFrameRequest(WPARAM code, LPARAM argument);
    LRESULT OnUserWindowCreate(HWND, LPARAM);
    void HostTextWindow(CorItem& item, const WindowOptions& options);
    LRESULT OnTextWindowMessage(CorItem& item, UINT, WPARAM, LPARAM);
    LRESULT OnSurfaceMessage(CorItem& item, UINT, WPARAM, LPARAM);
    bool OnMouseMessage(CorItem& item, UINT, WPARAM, LPARAM);
    bool OnKeyMessage(CorItem& item, UINT, WPARAM);
    LRESULT OnClose(CorItem& item);
    void FinishClose(CorItem& item, bool consumed);
    void OnDestroy(CorItem& item);
    LRESULT OnPaint(CorItem& item);
    LRESULT OnSizing(CorItem& item, WPARAM edge, RECT& rect);
    LRESULT OnUserWindowRequest(CorItem& item, WPARAM code, LPARAM argument);

    struct DeferredClose {
        CorItem* window;
        bool consumed;
    };
    bool Deliver(int code, int window);
    std::vector<DeferredClose> DecidePendingEvents();
    void FinishCloses(const std::vector<DeferredClose>& closes);
    void DeliverPendingEvents();
    int EndWaitWithoutWaiting(int result);
    void EndSetUp();
    void SuspendWaiter(const CorItem& window);
    int AwaitResumption();
    int AbandonWait();
    void RunCall(CorItem& carrier);
    void ToggleAttach(CorItem& item);
    // Brings window to the front and gives focus (window or one of its
    // controls) the keyboard focus.
    void Activate(HWND window, HWND focus);
    int PostCall(CorItem& carrier, HWND target, const std::atomic<bool>& targetAlive, WPARAM code,
                 MainThreadCallback callback, void* first, void* second);

    HINSTANCE m_hInstance;
    HWND m_hParent;
    SystemApis m_stApis;
    DWORD m_nMainThreadId = 0;

    HWND m_hFrame = nullptr;
    // Cleared when the frame is destroyed: a caller polling for a call to
    // finish reads memory only, never a window.
    std::atomic<bool> m_bFrameAlive{false};
    HDC m_hFrameDC = nullptr;
    HBITMAP m_hFrameBitmap = nullptr;
    RECT m_stFrameRect = {};
    // Written by the program's thread, read on the main thread.
    CAtomicBinding<FrameHookBinding> m_stFrameHook;

    // Items are appended under m_stAppendMutex and never unlinked, so
    // look-ups walk the list without a lock.
    std::mutex m_stAppendMutex;
    std::atomic<CorItem*> m_pHead{nullptr};
    CorItem* m_pTail = nullptr;
    std::atomic<int> m_nCount{0};
    std::atomic<int> m_nAlive{0};
    std::atomic<int> m_nCurrentWindow{1};
    std::atomic<int> m_nPainting{0};
    LastControl m_stLastControl;
    std::atomic<HWND> m_hKeyboardTarget{nullptr};

    HPEN m_hWhitePen;
    HPEN m_hDarkGreyPen;
    HPEN m_hGreyPen;
    HBRUSH m_hBlackBrush;
    COLORREF m_nBrushColour = RGB(255, 255, 255);
    HFONT m_hDefaultFont;
    HFONT m_hCurrentFont;
    CColourTable m_stColours;
    CFontRegistry m_stFonts;
    CToolkitLock m_stWriteLock;
    mutable std::mutex m_stShadowMutex;
    ShadowStyle m_stShadowStyle;

    // The wait: guarded by m_stLock except the pending events, which belong
    // to the main thread.
    CToolkitLock m_stLock;
    CWaitList m_stWaitList;
    CPendingEvents m_stPending;
    std::atomic<unsigned> m_nSetUpsEnded{0};
    HANDLE m_hWaitingThread = nullptr;
    // Asked by the waiter as it posts its request, waiting once its post has
    // returned and it reads only memory; cleared by the main thread once it
    // has frozen the waiter, or refused when the waited window went
    // meanwhile.
    enum : int { kHandshakeNone = 0, kHandshakeAsked = 1, kHandshakeRefused = 2, kHandshakeWaiting = 3 };
    std::atomic<int> m_nHandshake{kHandshakeNone};
    std::atomic<int> m_nSuspended{0};
    std::atomic<int> m_nCallBusy{0};

    std::atomic<bool> m_bSystemCheckBoxes{false};
    std::atomic<bool> m_bTextRefreshStarted{false};
    std::atomic<bool> m_bRefreshing{false};
};

// The process's toolkit core, null before the first CCorvane.
CCorvaneCore* CorvaneCore();

// A real handle of the calling thread, which another thread can suspend and
// resume; the receiver closes it.
HANDLE DuplicateCurrentThread();

// Suspends thread and returns once it has stopped: SuspendThread alone only
// asks, and the thread may run on for a moment after it returns.
void FreezeThread(HANDLE thread);
