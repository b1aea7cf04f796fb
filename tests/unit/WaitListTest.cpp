#include <gtest/gtest.h>

#include <vector>

#include "toolkit/portable/events/EventNames.h"
#include "toolkit/portable/events/WaitList.h"

namespace {

TEST(WaitList, FirstMatchingEntryOfTheWindowWinsAndClearsThatWindow) {
    CWaitList list;
    list.Add(kEventButton, 100, 2);
    list.Add(kEventCloseWindow, 100, 2);
    list.Add(kEventCloseWindow, 200, 3);

    EXPECT_EQ(list.TakeMatch(2, kEventUser), 0u);  // nothing waits for it
    EXPECT_EQ(list.TakeMatch(4, kEventButton), 0u);  // another window
    EXPECT_EQ(list.TakeMatch(2, kEventCloseWindow), 100u);
    EXPECT_EQ(list.TakeMatch(2, kEventButton), 0u);  // the window's entries went with the match
    EXPECT_EQ(list.TakeMatch(3, kEventCloseWindow), 200u);
    EXPECT_TRUE(list.Empty());
}

TEST(WaitList, ClearHandsBackEachThreadOnce) {
    CWaitList list;
    list.Add(kEventButton, 100, 2);
    list.Add(kEventNamedControl, 100, 2, "Ok");
    list.Add(kEventKey, 300, 5);
    EXPECT_EQ(list.Clear(), (std::vector<WaitThread>{100, 300}));
    EXPECT_TRUE(list.Empty());
    EXPECT_TRUE(list.Clear().empty());
}

TEST(WaitList, LockIsTakenOnce) {
    CToolkitLock lock;
    EXPECT_TRUE(lock.TryAcquire());
    EXPECT_TRUE(lock.IsHeld());
    EXPECT_FALSE(lock.TryAcquire());
    lock.Release();
    EXPECT_TRUE(lock.TryAcquire());
}

TEST(WaitList, PendingEventsKeepOrderAndAreKeptOnce) {
    CPendingEvents pending;
    pending.Add(kEventAnyMouse, 2, 7);
    pending.Add(kEventMouseDown, 2, 7);
    pending.Add(kEventAnyMouse, 2, 7);
    pending.Add(kEventAnyMouse, 3, 7);
    pending.Add(kEventAnyMouse, 2, 8);  // the same event of a later set-up is its own
    using E = CPendingEvents::Event;
    EXPECT_EQ(pending.TakeAll(), (std::vector<E>{{kEventAnyMouse, 2, 7},
                                                 {kEventMouseDown, 2, 7},
                                                 {kEventAnyMouse, 3, 7},
                                                 {kEventAnyMouse, 2, 8}}));
    EXPECT_TRUE(pending.Empty());
}

}  // namespace
