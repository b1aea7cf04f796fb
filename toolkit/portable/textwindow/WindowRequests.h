// How other threads ask a text window's thread for work: the dirty mark
// the refresh timer paints for, and a request posted to the window one at a
// time. Portable: the paint and the post are the caller's.
#pragma once

#include <atomic>

// Set by whoever changes what the window shows. The painter takes the mark
// before it paints: a change made while the paint is under way (a key typed
// into ReadLine after the paint copied its lines) sets it again and is
// painted in the next round instead of being cleared undrawn.
class CDirtyMark {
  public:
    void Set() { m_bDirty.store(true); }
    bool IsSet() const { return m_bDirty.load(); }

    // Runs paint, which returns false when it could not paint now, if the
    // mark is set; a paint that did not happen leaves the mark set.
    template <typename Paint>
    void PaintIfSet(Paint paint) {
        if (m_bDirty.exchange(false) && !paint())
            m_bDirty.store(true);
    }

  private:
    std::atomic<bool> m_bDirty{false};
};

// At most one request on its way: an ask while one is posted is carried by
// that one, which the window's thread reads state for when it takes it. A
// post that fails puts nothing on its way, so the next ask posts again.
class CPostedRequest {
  public:
    // post returns false when the request could not be posted.
    template <typename Post>
    void Ask(Post post) {
        if (!m_bPosted.exchange(true) && !post())
            m_bPosted.store(false);
    }

    // The window's thread, taking the request: later asks post anew.
    void Taken() { m_bPosted.store(false); }

  private:
    std::atomic<bool> m_bPosted{false};
};
