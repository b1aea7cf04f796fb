// The changes one Write call has made, so that each reset undoes the change
// of its tag. The entries are whatever the drawing side saves (on Windows a
// colour or the font handles a change replaced), so their type is open.
//
// The stack holds kCapacity entries. A change beyond them is not applied at
// all, only counted: applying it without a saved entry would leave it in
// force after its reset. Resets then pair with the newest changes first, as
// tags do: a reset first takes back one counted change, which has nothing to
// undo, and only then pops a kept entry. So, after 101 changes, the first
// reset does nothing and the second undoes the hundredth change.
#pragma once

#include <array>
#include <cstddef>

template <typename Entry>
class CMarkupStack {
  public:
    static constexpr size_t kCapacity = 100;

    // True when entry was kept and its change may be applied; false when the
    // stack is full and the change must be left out.
    bool Push(const Entry& entry) {
        if (m_nKept == kCapacity) {
            ++m_nCounted;
            return false;
        }
        m_stEntries[m_nKept++] = entry;
        return true;
    }

    // A reset: true, with the entry to undo, when it pairs with a kept
    // change; false when it pairs with a counted change or nothing is left.
    bool Pop(Entry& entry) {
        if (m_nCounted > 0) {
            --m_nCounted;
            return false;
        }
        if (m_nKept == 0)
            return false;
        entry = m_stEntries[--m_nKept];
        return true;
    }

    size_t Kept() const { return m_nKept; }

  private:
    std::array<Entry, kCapacity> m_stEntries{};
    size_t m_nKept = 0;
    size_t m_nCounted = 0;  // changes beyond capacity, not applied
};
