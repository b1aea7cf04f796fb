// Calls carried between threads: the call record's thread handles, calls
// whose target dies, surfaces destroyed while another thread draws, and
// windows of a thread other than the main thread ("localwindow").
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

void CountOnMainThread(void* count, void*) {
    if (GetCurrentThreadId() == CWorkerApp::MainThreadId())
        ++*static_cast<std::atomic<int>*>(count);
}

// Each call hands the main thread a duplicated handle of its caller, which
// the main thread closes; back-to-back calls of two threads on the one
// carrier must neither leak a handle nor close another call's.
TEST(CorvaneCalls, BackToBackCallsCloseEveryCallersHandleOnce) {
    std::atomic<int> ran{0};
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    const auto caller = [&] {
        for (int i = 0; i < 8; ++i)
            Core().RunOnMainThread(CountOnMainThread, &ran, nullptr);
    };
    std::thread other(caller);
    caller();
    other.join();
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(ran.load(), 16);
    EXPECT_EQ(after, before);
}

// A thread that owns a toolkit window ("localwindow") and, unless told to
// pump its messages, only runs the tasks it is given.
class CLocalWindowThread {
  public:
    CLocalWindowThread()
        : m_stThread([this] {
              m_nWindow = NewWindow("localwindow hide");
              m_bCreated = true;
              while (!m_bStop) {
                  RunTask();
                  MSG message;
                  while (m_bPump && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                      DispatchMessageA(&message);
                  Sleep(1);
              }
              Core().Window.Destroy(m_nWindow);
          }) {
        WaitFor([this] { return m_bCreated.load(); });
    }

    ~CLocalWindowThread() {
        m_bStop = true;
        m_stThread.join();
    }

    int Window() const { return m_nWindow; }
    void Pump(bool on) { m_bPump = on; }
    // Runs task on the window's thread; true once it has run.
    bool Run(std::function<void()> task) {
        {
            std::lock_guard<std::mutex> lock(m_stMutex);
            m_pTask = std::move(task);
        }
        return WaitFor([this] {
            std::lock_guard<std::mutex> lock(m_stMutex);
            return !m_pTask;
        });
    }

  private:
    void RunTask() {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(m_stMutex);
            task = m_pTask;
        }
        if (!task)
            return;
        task();
        std::lock_guard<std::mutex> lock(m_stMutex);
        m_pTask = nullptr;
    }

    std::atomic<int> m_nWindow{0};
    std::atomic<bool> m_bCreated{false}, m_bStop{false}, m_bPump{false};
    std::mutex m_stMutex;
    std::function<void()> m_pTask;
    std::thread m_stThread;
};

// True once the calling thread's queue holds a message of kind (QS_...).
bool QueueHolds(UINT kind) {
    return (HIWORD(GetQueueStatus(kind)) & kind) != 0;
}

// The window dies with the call still in its queue: the caller, polling
// only memory, notices and gives up instead of waiting for ever.
TEST(CorvaneCalls, CallToAWindowThatDiesUnheardReturnsZero) {
    CLocalWindowThread owner;
    ASSERT_NE(owner.Window(), 0);
    std::atomic<int> ran{0};
    std::thread killer([&] {
        owner.Run([&] {
            WaitFor([] { return QueueHolds(QS_POSTMESSAGE); });
            DestroyWindow(Core().Window.GetHwnd(owner.Window()));
        });
    });
    EXPECT_EQ(Core().RunOnWindowThread(owner.Window(), CountOnMainThread, &ran, nullptr), 0);
    killer.join();
    EXPECT_EQ(ran.load(), 0);
}

// The main thread destroys a window while another thread is drawing into
// it: it must not wait for that thread, and the contexts must live until the
// drawing is over, then go.
TEST(CorvaneSurface, DestroyedWhileDrawnReleasesAfterTheDrawing) {
    const int w = NewWindow();
    CWindowSurface& surface = *Core().FindWindowItem(w)->surface;
    std::atomic<bool> drawing{false}, destroyed{false}, contextsDuringDraw{false};
    std::thread drawer([&] {
        surface.Hold(CSurfaceBusy::kWriting, [&](CWindowSurface& s) {
            drawing = true;
            WaitFor([&] { return destroyed.load(); });
            contextsDuringDraw = s.WindowDC() != nullptr && s.BackDC() != nullptr;
        });
    });
    ASSERT_TRUE(WaitFor([&] { return drawing.load(); }));
    std::thread destroyer([&] {
        Core().Window.Destroy(w);
        destroyed = true;
    });
    const bool destroyReturned = WaitFor([&] { return destroyed.load(); });
    if (!destroyReturned)
        destroyed = true;  // free the drawer so the test can end
    drawer.join();
    destroyer.join();
    EXPECT_TRUE(destroyReturned) << "the main thread waited for the drawing thread";
    EXPECT_TRUE(contextsDuringDraw.load());
    EXPECT_EQ(surface.WindowDC(), nullptr);
    EXPECT_EQ(surface.BackDC(), nullptr);
    EXPECT_FALSE(surface.Hold(CSurfaceBusy::kWriting, [](CWindowSurface&) {}));
}

// The main thread never waits for a surface another thread holds: its
// drawing is then left out, and the call says so.
TEST(CorvaneSurface, DrawingLeftOutWhileAnotherThreadHoldsTheSurfaceReturnsZero) {
    const int w = NewWindow();
    int drawn = -1;
    Core().FindWindowItem(w)->surface->Hold(CSurfaceBusy::kWriting, [&](CWindowSurface&) {
        Core().RunOnMainThread(
            [](void* result, void* window) {
                *static_cast<int*>(result) =
                    Core().Window.Rectangle(*static_cast<int*>(window), 1, 1, 5, 5, RGB(1, 2, 3), 0);
            },
            &drawn, const_cast<int*>(&w));
    });
    EXPECT_EQ(drawn, 0);
    EXPECT_EQ(Core().Window.Rectangle(w, 1, 1, 5, 5, RGB(1, 2, 3), 0), 1);
    Core().Window.Destroy(w);
}

TEST(CorvaneLocalWindow, FreezingOnesOwnWindowDoesNotWaitForItself) {
    CLocalWindowThread owner;
    std::atomic<int> frozen{-1};
    const bool returned = owner.Run([&] { frozen = Core().FreezeWindow(owner.Window()); });
    EXPECT_TRUE(returned) << "FreezeWindow never returned on the window's own thread";
    if (!returned) {  // set the flag it waits for, so that the thread can end
        Core().FindWindowItem(owner.Window())->surface->frozen = 1;
        WaitFor([&] { return frozen.load() != -1; });
    }
    EXPECT_EQ(frozen.load(), 1);
    owner.Run([&] { Core().UnfreezeWindow(owner.Window()); });
}

// The waiter's own local window is clicked while the waiter sets up its
// wait, holding the lock: the click is kept and wakes that very wait.
TEST(CorvaneLocalWindow, ClickOnTheWaitersOwnWindowDuringSetUpWakesTheWait) {
    const int local = NewWindow("localwindow hide");
    const HWND window = Core().Window.GetHwnd(local);
    std::thread clicker([&] { SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4)); });
    // The click is dispatched by the wait's own look at the message queue.
    ASSERT_TRUE(WaitFor([] { return QueueHolds(QS_SENDMESSAGE); }));
    {
        CWaitWatch watch([] { return true; }, [] {});
        EXPECT_EQ(Core().WaitEvents(local, "MouseClick", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself()) << "the click was lost";
    }
    clicker.join();
    EXPECT_EQ(Core().Window.MouseClicked(local), 1);
    Core().Window.Destroy(local);
}

// A close of a local window that a wait set-up keeps, and that nobody
// consumes, is carried out by the window's own thread.
TEST(CorvaneLocalWindow, KeptCloseNobodyConsumesClosesOnTheOwnThread) {
    CLocalWindowThread owner;
    owner.Pump(true);
    const HWND window = Core().Window.GetHwnd(owner.Window());
    while (!Core().ToolkitLock().TryAcquire())
        Sleep(0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    Core().ToolkitLock().Release();
    // Nothing to wait for: this set-up's end decides what was kept.
    EXPECT_EQ(Core().WaitEvents(1, "NoSuchEvent", 0), 1);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }));
}

}  // namespace
