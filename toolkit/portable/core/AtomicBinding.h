// A callback and its user value (or any small record of them) set by one
// thread and called by another: readers always see both halves of the same
// Set, never the new function with the old user value. Each Set publishes a
// new immutable record; old ones are kept until the binding goes, because a
// reader may still be copying one. Bindings are set a few times per window,
// so the records kept are few. Portable.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

template <typename Record>
class CAtomicBinding {
  public:
    void Set(const Record& record) {
        std::lock_guard<std::mutex> lock(m_stSetMutex);
        m_stRecords.push_back(std::make_unique<const Record>(record));
        m_pCurrent.store(m_stRecords.back().get(), std::memory_order_release);
    }

    // A copy of the record of the latest Set; a value-initialised record before any.
    Record Get() const {
        const Record* current = m_pCurrent.load(std::memory_order_acquire);
        return current ? *current : Record{};
    }

  private:
    std::atomic<const Record*> m_pCurrent{nullptr};
    std::mutex m_stSetMutex;
    std::vector<std::unique_ptr<const Record>> m_stRecords;
};
