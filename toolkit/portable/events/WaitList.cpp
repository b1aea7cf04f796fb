#include "toolkit/portable/events/WaitList.h"

#include <algorithm>

void CWaitList::Add(int code, WaitThread thread, WaitWindow window, const std::string& name) {
    m_stEntries.push_back({name, code, thread, window});
}

WaitThread CWaitList::TakeMatch(WaitWindow window, int code) {
    auto match = std::find_if(m_stEntries.begin(), m_stEntries.end(), [&](const CorWaitEntry& e) {
        return e.window == window && e.code == code;
    });
    if (match == m_stEntries.end())
        return 0;
    const WaitThread thread = match->thread;
    m_stEntries.erase(std::remove_if(m_stEntries.begin(), m_stEntries.end(),
                                     [&](const CorWaitEntry& e) { return e.window == window; }),
                      m_stEntries.end());
    return thread;
}

std::vector<WaitThread> CWaitList::Clear() {
    std::vector<WaitThread> threads;
    for (const CorWaitEntry& e : m_stEntries) {
        if (e.thread && std::find(threads.begin(), threads.end(), e.thread) == threads.end())
            threads.push_back(e.thread);
    }
    m_stEntries.clear();
    return threads;
}

void CPendingEvents::Add(int code, WaitWindow window, unsigned setUp) {
    const Event e{code, window, setUp};
    std::lock_guard<std::mutex> lock(m_stMutex);
    if (std::find(m_stEvents.begin(), m_stEvents.end(), e) == m_stEvents.end())
        m_stEvents.push_back(e);
}

std::vector<CPendingEvents::Event> CPendingEvents::TakeAll() {
    std::vector<Event> events;
    std::lock_guard<std::mutex> lock(m_stMutex);
    events.swap(m_stEvents);
    return events;
}

bool CPendingEvents::Empty() const {
    std::lock_guard<std::mutex> lock(m_stMutex);
    return m_stEvents.empty();
}
