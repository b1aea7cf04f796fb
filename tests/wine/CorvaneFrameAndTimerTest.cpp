#include <gtest/gtest.h>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

struct HookLog {
    std::atomic<int> calls{0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT answer = 0;
};

LRESULT RecordingHook(void* user, WPARAM wParam, LPARAM lParam) {
    auto* log = static_cast<HookLog*>(user);
    log->wParam = wParam;
    log->lParam = lParam;
    log->calls++;
    return log->answer;
}

TEST(CorvaneFrame, HookSeesItsMessageFirstAndMinusOnePassesItOn) {
    const HWND frame = Core().FrameWindow();
    const UINT hooked = WM_APP + 7;
    HookLog log;
    log.answer = 1234;
    Core().SetFrameHook(hooked, RecordingHook, &log);
    EXPECT_EQ(SendMessageA(frame, hooked, 5, 6), 1234);
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(log.wParam, 5u);
    EXPECT_EQ(log.lParam, 6);

    log.answer = -1;  // the toolkit handles it: the default procedure answers 0
    EXPECT_EQ(SendMessageA(frame, hooked, 0, 0), 0);
    EXPECT_EQ(SendMessageA(frame, WM_APP + 8, 0, 0), 0);
    EXPECT_EQ(log.calls, 2) << "only the hooked message number reaches the hook";

    Core().SetFrameHook(0, nullptr, nullptr);
    EXPECT_EQ(SendMessageA(frame, hooked, 0, 0), 0);
    EXPECT_EQ(log.calls, 2) << "a cleared hook is not called";
}

constexpr UINT_PTR kTimerId = 77;

// Timers belong to the window's own thread, the main thread.
void StartTimer(void* window, void*) { SetTimer(static_cast<HWND>(window), kTimerId, 10, nullptr); }
void StopTimer(void* window, void*) { KillTimer(static_cast<HWND>(window), kTimerId); }

void CountTicks(void* user, int, UINT_PTR timerId) {
    if (timerId == kTimerId)
        ++*static_cast<std::atomic<int>*>(user);
}

TEST(CorvaneTimer, TicksRaiseTheTimerEventOrGoToTheCallback) {
    const int w = NewWindow();
    const HWND window = Core().Window.GetHwnd(w);
    ASSERT_EQ(Core().RunOnMainThread(StartTimer, window, nullptr), 1);
    {
        CWaitWatch watch([] { return true; }, [] {});
        EXPECT_EQ(Core().WaitEvents(w, "Timer", 0), 1);
        EXPECT_TRUE(watch.ReturnedByItself());
    }

    std::atomic<int> ticks{0};
    EXPECT_EQ(Core().Window.SetTimerCallback(w, CountTicks, &ticks), 1);
    EXPECT_TRUE(WaitFor([&] { return ticks >= 2; }));
    EXPECT_EQ(Core().Window.SetTimerCallback(0, CountTicks, &ticks), 0);

    Core().RunOnMainThread(StopTimer, window, nullptr);
    Core().Window.SetTimerCallback(w, nullptr, nullptr);
    Core().Window.Destroy(w);
}

}  // namespace
