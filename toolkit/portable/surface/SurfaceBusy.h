// The busy value of one drawing surface. Drawing may run on any thread;
// destruction runs on the main thread, which must never wait for a drawing
// thread. So a destruction that finds the surface busy is left to the thread
// that holds it, which carries it out as it lets go:
//
//   drawing thread                      main thread (WM_DESTROY)
//   Acquire: free -> held (waits)       Retire: retired = true
//   ... draws ...                               free -> destroying? yes: release now
//   Release: held -> free                                        no: the holder will
//            retired and free -> destroying? yes: release now
//
// Exactly one of the two moves the value to "destroying" and releases the
// drawing resources; after that nobody acquires the surface again.
// Portable: the waiting is a yield the caller supplies.
#pragma once

#include <atomic>

class CSurfaceBusy {
  public:
    // Why the surface is held; FreezeWindow refuses a surface held for any reason.
    enum Reason : int {
        kFree = 0,
        kEndBuffered = 1,
        kBeginBuffered = 2,
        kWriting = 3,
        kPresenting = 4,
        kDestroying = 5,
        kDrawing = 6,
    };

    // Holds the surface for reason if it is free and not retired.
    bool TryAcquire(Reason reason) {
        if (m_bRetired.load())
            return false;
        int expected = kFree;
        return m_nValue.compare_exchange_strong(expected, reason);
    }

    // Waits, calling yield, until the surface is free and holds it for reason.
    // False, without holding it, once the surface is retired.
    template <typename Yield>
    bool Acquire(Reason reason, Yield yield) {
        while (!TryAcquire(reason)) {
            if (m_bRetired.load())
                return false;
            yield();
        }
        return true;
    }

    // Lets go of a held surface. True when the surface was retired meanwhile
    // and the caller must now release its resources.
    bool Release() {
        m_nValue.store(kFree);
        return m_bRetired.load() && TakeDestruction();
    }

    // Main thread: no drawing may start from now on. True when the caller
    // may release the resources at once; false when a drawing thread holds
    // the surface and will release them as it lets go.
    bool Retire() {
        m_bRetired.store(true);
        return TakeDestruction();
    }

    int Value() const { return m_nValue.load(); }
    bool IsBusy() const { return Value() != kFree; }

  private:
    bool TakeDestruction() {
        int expected = kFree;
        return m_nValue.compare_exchange_strong(expected, kDestroying);
    }

    std::atomic<int> m_nValue{kFree};
    std::atomic<bool> m_bRetired{false};
};
