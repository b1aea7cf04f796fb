// What the waiting thread waits for, and the lock that guards it. Portable:
// threads and windows are opaque values here; the Windows side suspends and
// resumes.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// One 32-bit word taken by compare-and-exchange. The waiting thread spins on
// it; the main thread only ever tries once, so it never blocks on a waiter.
class CToolkitLock {
  public:
    bool TryAcquire() {
        int32_t expected = 0;
        return m_nWord.compare_exchange_strong(expected, 1, std::memory_order_acquire);
    }
    void Release() { m_nWord.store(0, std::memory_order_release); }
    bool IsHeld() const { return m_nWord.load(std::memory_order_relaxed) != 0; }

  private:
    std::atomic<int32_t> m_nWord{0};
};

using WaitThread = uintptr_t;  // a thread handle, 0 for none
using WaitWindow = int;        // the waited window's item handle

struct CorWaitEntry {
    std::string name;  // the control name of a code 16 entry
    int code;
    WaitThread thread;
    WaitWindow window;
};

// All members are called with the toolkit lock held.
class CWaitList {
  public:
    void Add(int code, WaitThread thread, WaitWindow window, const std::string& name = {});
    bool Empty() const { return m_stEntries.empty(); }

    // The thread of the first entry for window with code, and every entry of
    // that window removed; 0 (list unchanged) when nothing matches.
    WaitThread TakeMatch(WaitWindow window, int code);

    // Empties the list and returns the distinct threads its entries held, so
    // the caller can close their handles.
    std::vector<WaitThread> Clear();

  private:
    std::vector<CorWaitEntry> m_stEntries;
};

// Events that could not be delivered because another thread held the toolkit
// lock, each tagged with the wait set-up it belongs to (the number of
// set-ups that had ended when it was raised). Added by the thread that raises
// an event, taken by the main thread; the mutex guards a few instructions
// only, never a wait. The same event for the same window and set-up is kept
// once.
class CPendingEvents {
  public:
    struct Event {
        int code;
        WaitWindow window;
        unsigned setUp;
        bool operator==(const Event& o) const {
            return code == o.code && window == o.window && setUp == o.setUp;
        }
    };

    void Add(int code, WaitWindow window, unsigned setUp);
    // Returns the pending events in the order they were raised and forgets them.
    std::vector<Event> TakeAll();
    bool Empty() const;

  private:
    mutable std::mutex m_stMutex;
    std::vector<Event> m_stEvents;
};
