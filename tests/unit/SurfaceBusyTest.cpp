#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "toolkit/portable/surface/SurfaceBusy.h"

namespace {

void NoYield() {}

// One thread playing both sides in a fixed order: who must release the
// surface's resources, and whether drawing can start afterwards.
TEST(SurfaceBusy, ExactlyOneSideReleasesInEveryOrder) {
    {
        SCOPED_TRACE("retired while free: the main thread releases");
        CSurfaceBusy busy;
        EXPECT_TRUE(busy.Retire());
        EXPECT_FALSE(busy.Acquire(CSurfaceBusy::kWriting, NoYield));
    }
    {
        SCOPED_TRACE("retired while drawing: the drawing thread releases as it lets go");
        CSurfaceBusy busy;
        ASSERT_TRUE(busy.Acquire(CSurfaceBusy::kPresenting, NoYield));
        EXPECT_EQ(busy.Value(), CSurfaceBusy::kPresenting);
        EXPECT_FALSE(busy.Retire());
        EXPECT_TRUE(busy.Release());
        EXPECT_EQ(busy.Value(), CSurfaceBusy::kDestroying);
        EXPECT_FALSE(busy.Acquire(CSurfaceBusy::kWriting, NoYield));
    }
    {
        SCOPED_TRACE("drawn and let go before the retirement");
        CSurfaceBusy busy;
        ASSERT_TRUE(busy.Acquire(CSurfaceBusy::kBeginBuffered, NoYield));
        EXPECT_TRUE(busy.IsBusy());
        EXPECT_FALSE(busy.Release());
        EXPECT_FALSE(busy.IsBusy());
        EXPECT_TRUE(busy.Retire());
    }
}

TEST(SurfaceBusy, AcquireWaitsForTheHolder) {
    CSurfaceBusy busy;
    ASSERT_TRUE(busy.Acquire(CSurfaceBusy::kWriting, NoYield));
    std::atomic<int> yields{0};
    std::atomic<bool> acquired{false};
    std::thread second([&] {
        acquired = busy.Acquire(CSurfaceBusy::kEndBuffered, [&] {
            ++yields;
            std::this_thread::yield();
        });
    });
    while (yields.load() == 0)
        std::this_thread::yield();
    EXPECT_FALSE(acquired.load());
    busy.Release();
    second.join();
    EXPECT_TRUE(acquired.load());
    EXPECT_EQ(busy.Value(), CSurfaceBusy::kEndBuffered);
}

// A drawing thread and a retiring thread race many times; however they
// interleave, the resources are released exactly once and never while drawn.
TEST(SurfaceBusy, RacingDrawAndRetireReleaseOnce) {
    for (int trial = 0; trial < 500; ++trial) {
        CSurfaceBusy busy;
        std::atomic<int> releases{0};
        std::atomic<bool> drawing{false};
        std::atomic<bool> drewAfterRelease{false};
        std::atomic<bool> go{false};
        std::thread drawer([&] {
            while (!go)
                std::this_thread::yield();
            for (int i = 0; i < 50; ++i) {
                if (!busy.Acquire(CSurfaceBusy::kWriting, [] { std::this_thread::yield(); }))
                    break;
                drawing = true;
                if (releases.load() != 0)
                    drewAfterRelease = true;
                drawing = false;
                if (busy.Release())
                    ++releases;
            }
        });
        go = true;
        if (busy.Retire()) {
            EXPECT_FALSE(drawing.load());
            ++releases;
        }
        drawer.join();
        ASSERT_EQ(releases.load(), 1) << "trial " << trial;
        ASSERT_FALSE(drewAfterRelease.load()) << "trial " << trial;
    }
}

}  // namespace
