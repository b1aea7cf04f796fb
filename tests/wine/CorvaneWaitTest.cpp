#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

bool WaiterSuspended() {
    return Core().IsWaiterSuspended();
}

TEST(CorvaneWait, ClosingAWaitedWindowResumesTheWaiterAndKeepsTheWindow) {
    const int w = NewWindow();
    const HWND window = Core().Window.GetHwnd(w);
    CWaitWatch watch(WaiterSuspended, [&] { PostMessageA(window, WM_CLOSE, 0, 0); });
    EXPECT_EQ(Core().WaitEvents(w, "AnyButton, CloseWindow", 0), 1);
    EXPECT_TRUE(watch.ReturnedByItself());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Core().Window.CloseRequested(w), 1);
    EXPECT_EQ(Core().Window.CloseRequested(w), 0);
    Core().Window.Destroy(w);
}

TEST(CorvaneWait, UserEventResumesTheWaiter) {
    const int w = NewWindow();
    CWaitWatch watch(WaiterSuspended, [&] { Core().RaiseUserEvent(w, 42); });
    EXPECT_EQ(CCorWindow(w).WaitEvents("userevent"), 1);
    EXPECT_TRUE(watch.ReturnedByItself());
    Core().Window.Destroy(w);
}

// The module that holds address, by its file name in lower case.
std::string ModuleAt(DWORD_PTR address) {
    HMODULE module = nullptr;
    char path[MAX_PATH] = {};
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(address), &module) ||
        !GetModuleFileNameA(module, path, MAX_PATH))
        return "";
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// The main thread freezes a waiter wherever it stands. Frozen inside a call
// into the window system, the waiter could hold a lock of that system which
// the main thread needs next (Wine's display connection, say), and then no
// event could ever run to wake it.
TEST(CorvaneWait, WaiterIsFrozenOutsideTheWindowSystem) {
    const int w = NewWindow();
    const HANDLE waiter = DuplicateCurrentThread();
    std::string frozenIn = "no context";
    CWaitWatch watch(WaiterSuspended, [&] {
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL;
        if (GetThreadContext(waiter, &context)) {
#ifdef _WIN64
            frozenIn = ModuleAt(context.Rip);
#else
            frozenIn = ModuleAt(context.Eip);
#endif
        }
        Core().RaiseUserEvent(w, 1);
    });
    EXPECT_EQ(Core().WaitEvents(w, "UserEvent", 0), 1);
    EXPECT_TRUE(watch.ReturnedByItself());
    for (const char* windowSystem : {"user32.dll", "win32u.dll"})
        EXPECT_NE(frozenIn, windowSystem);
    EXPECT_NE(frozenIn, "no context");
    CloseHandle(waiter);
    Core().Window.Destroy(w);
}

TEST(CorvaneWait, EventsOfOtherWindowsOrKindsDoNotWake) {
    const int w = NewWindow();
    const int other = NewWindow("hide", 240, 20);
    // A user event for another window and a mouse click in this one pass by;
    // only the close ends the wait.
    CWaitWatch watch(WaiterSuspended, [&] {
        Core().RaiseUserEvent(other, 1);
        // The main thread handles posted messages in order: once this call
        // has run there, so has the user event.
        Core().RunOnMainThread([](void*, void*) {}, nullptr, nullptr);
        SendMessageA(Core().Window.GetHwnd(w), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        const bool stillAsleep = WaiterSuspended();
        EXPECT_TRUE(stillAsleep);
        PostMessageA(Core().Window.GetHwnd(w), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(Core().WaitEvents(w, "UserEvent,CloseWindow", 0), 1);
    EXPECT_TRUE(watch.ReturnedByItself());
    EXPECT_EQ(Core().Window.CloseRequested(w), 1);
    Core().Window.Destroy(w);
    Core().Window.Destroy(other);
}

TEST(CorvaneWait, ListsWithNothingToWaitForOrTooLongNames) {
    const int w = NewWindow();
    CWaitWatch watch([] { return true; }, [] {});  // none of these may sleep
    EXPECT_EQ(Core().WaitEvents(w, "NoSuchEvent, AnyButton CloseWindow", 0), 1);
    EXPECT_EQ(Core().WaitEvents(w, "", 0), 1);
    EXPECT_EQ(Core().WaitEvents(w, ("AnyButton," + std::string(200, 'x')).c_str(), 0), 0);
    EXPECT_EQ(Core().WaitEvents(w, "AnyButton", 1), 1);  // peek: registered, not waited
    EXPECT_TRUE(watch.ReturnedByItself());
    EXPECT_FALSE(Core().ToolkitLock().IsHeld());
    Core().Window.Destroy(w);
}

// Sends message to window while another thread holds the toolkit lock, as a
// thread setting up its wait holds it, so that the main thread keeps the
// event it raises.
void SendWhileTheLockIsHeld(int window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    std::thread setUp([&] {
        while (!Core().ToolkitLock().TryAcquire())
            Sleep(0);
        SendMessageA(Core().Window.GetHwnd(window), message, wParam, lParam);
        Core().ToolkitLock().Release();
    });
    setUp.join();
}

// The message sent as in SendWhileTheLockIsHeld, then a wait (or a peek) for
// events on window. True when the wait returned by itself.
bool WaitAfterMessageDuringSetUp(int window, UINT message, WPARAM wParam, LPARAM lParam, const char* events,
                                 int peek = 0) {
    SendWhileTheLockIsHeld(window, message, wParam, lParam);
    CWaitWatch watch([] { return true; }, [] {});
    EXPECT_EQ(Core().WaitEvents(window, events, peek), 1);
    return watch.ReturnedByItself();
}

// The main thread only tries the toolkit lock once when it raises an event.
// A click that comes while another thread holds the lock, setting up its
// wait, must still wake that wait.
TEST(CorvaneWait, ClickDuringWaitSetUpIsNotLost) {
    const int w = NewWindow();
    EXPECT_TRUE(WaitAfterMessageDuringSetUp(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), "MouseClick"))
        << "the click was lost";
    EXPECT_EQ(CCorWindow(w).MouseClicked(), 1);
    Core().Window.Destroy(w);
}

// A close that arrives during the set-up is decided once the wait is in
// place: the waiter consumes it and the window stays.
TEST(CorvaneWait, CloseDuringWaitSetUpIsConsumedByTheWait) {
    const int w = NewWindow();
    EXPECT_TRUE(WaitAfterMessageDuringSetUp(w, WM_CLOSE, 0, 0, "CloseWindow"));
    EXPECT_TRUE(IsWindow(Core().Window.GetHwnd(w)));
    EXPECT_EQ(Core().Window.CloseRequested(w), 1);
    Core().Window.Destroy(w);
}

// A close that nobody waits for destroys its window. Should the program
// reach its wait on that window while it is being destroyed, the wait ends
// at once instead of sleeping for good: here the destruction is held until
// the wait has asked to be suspended.
TEST(CorvaneWait, WaitOnAWindowBeingDestroyedReturnsAtOnce) {
    static std::atomic<bool> destroying{false};
    destroying = false;
    const int w = NewWindow();
    Core().Window.SetDestroyCallback(w, [](void*, int) {
        destroying = true;
        WaitFor([] { return Core().IsSuspensionAsked(); });
    }, nullptr);
    PostMessageA(Core().Window.GetHwnd(w), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([] { return destroying.load(); }));
    CWaitWatch watch([] { return true; }, [] {});
    EXPECT_EQ(Core().WaitEvents(w, "CloseWindow", 0), 0);
    EXPECT_TRUE(watch.ReturnedByItself()) << "the wait slept on a destroyed window";
    EXPECT_FALSE(Core().ToolkitLock().IsHeld());
}

int CloseState(int window) {
    return Core().FindWindowItem(window)->surface->latches.closeState.load();
}

// A close kept during a set-up that never suspends is decided when that
// set-up ends: a peek registered for it consumes it; nothing to wait for
// means nobody did, and the window closes.
TEST(CorvaneWait, CloseKeptDuringAWaitThatDoesNotSleepIsDecided) {
    const int peeked = NewWindow();
    EXPECT_TRUE(WaitAfterMessageDuringSetUp(peeked, WM_CLOSE, 0, 0, "CloseWindow", 1));
    EXPECT_EQ(CloseState(peeked), 16) << "the peek's entry did not consume the close";
    EXPECT_TRUE(IsWindow(Core().Window.GetHwnd(peeked)));
    Core().Window.Destroy(peeked);

    const int unawaited = NewWindow();
    const HWND window = Core().Window.GetHwnd(unawaited);
    EXPECT_TRUE(WaitAfterMessageDuringSetUp(unawaited, WM_CLOSE, 0, 0, "NoSuchEvent"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); })) << "the kept close was never carried out";
}

// A click kept during one set-up belongs to that wait alone: a later wait
// of the same window for clicks sleeps until something new happens.
TEST(CorvaneWait, KeptEventNeverWakesALaterWait) {
    const int w = NewWindow();
    EXPECT_TRUE(WaitAfterMessageDuringSetUp(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), "NoSuchEvent"));
    std::atomic<bool> userEventSent{false};
    {
        CWaitWatch watch(WaiterSuspended, [&] {
            userEventSent = true;
            Core().RaiseUserEvent(w, 3);
        });
        EXPECT_EQ(Core().WaitEvents(w, "MouseClick,UserEvent", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself());
    }
    EXPECT_TRUE(userEventSent.load()) << "the stale click woke the later wait";
    Core().Window.Destroy(w);
}

HWND g_hFoundBox = nullptr;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    g_hFoundBox = window;
    return FALSE;
}

TEST(CorvaneWait, MessageBoxFromTheWorkerReturnsThePressedButton) {
    const int w = NewWindow();
    const HWND owner = Core().Window.GetHwnd(w);
    HWND box = nullptr, boxOwner = nullptr;
    std::thread user([&] {
        g_hFoundBox = nullptr;
        if (!WaitFor([] {
                EnumThreadWindows(CWorkerApp::MainThreadId(), FindMessageBox, 0);
                return g_hFoundBox != nullptr;
            }))
            return;
        box = g_hFoundBox;
        boxOwner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
    });
    const int pressed = CCorWindow(w).MessageBox("Keep the files?", "Question", MB_YESNO);
    user.join();
    ASSERT_NE(box, nullptr) << "no message box was shown";
    EXPECT_EQ(boxOwner, owner);
    EXPECT_EQ(pressed, IDNO);
    Core().Window.Destroy(w);
}

TEST(CorvaneWait, RunOnMainThreadRunsThereWhileTheCallerWaits) {
    DWORD ranOn = 0;
    EXPECT_EQ(Core().RunOnMainThread([](void* first, void*) { *static_cast<DWORD*>(first) = GetCurrentThreadId(); },
                                     &ranOn, nullptr),
              1);
    EXPECT_EQ(ranOn, CWorkerApp::MainThreadId());
}

}  // namespace
