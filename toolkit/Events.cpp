// Waiting for events and raising them.
//
// The waiting thread takes the toolkit lock, registers what it waits for and
// asks the main thread (sub-code 4) to suspend it; the main thread releases
// the lock once the waiter is suspended. The main thread raises events only
// by trying the lock once, so it never blocks on a waiter. An event it cannot
// deliver because the lock is held is kept and delivered as soon as the main
// thread next holds the lock: after suspending the waiter, or with the next
// event. Raising and delivering happen on the main thread only.
#include <string>
#include <vector>

#include "toolkit/CorvaneCore.h"
#include "toolkit/EventNames.h"
#include "toolkit/KeywordSearch.h"

namespace {

void CloseThreads(const std::vector<WaitThread>& threads) {
    for (WaitThread thread : threads)
        CloseHandle(reinterpret_cast<HANDLE>(thread));
}

void LetPendingMessagesThrough() {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace

HANDLE DuplicateCurrentThread() {
    HANDLE thread = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
    return thread;
}

int CCorvaneCore::WaitEvents(int window, const char* list, int peek) {
    // The main thread would be suspending itself.
    if (OnMainThread())
        return 0;
    while (!m_stLock.TryAcquire())
        Sleep(0);
    CloseThreads(m_stWaitList.Clear());
    CorItem* item = FindWindowItem(window);
    std::vector<std::string> tokens;
    if (!item || !SplitEventList(list, tokens)) {
        m_stLock.Release();
        return 0;
    }
    const HANDLE thread = DuplicateCurrentThread();
    const WaitThread waiter = reinterpret_cast<WaitThread>(thread);
    for (const std::string& token : tokens) {
        const int code = FindEventCode(token);
        if (code >= 0)
            m_stWaitList.Add(code, waiter, window);
        if (token.size() > kMaxControlNameToken)
            continue;
        for (CorItem* named = m_pHead.load(); named; named = named->next.load()) {
            if (named->live.load() && !named->name.empty() && EqualFolded(named->name.c_str(), token.c_str())) {
                m_stWaitList.Add(kEventNamedControl, waiter, window, named->name);
                break;
            }
        }
    }
    LetPendingMessagesThrough();
    if (m_stWaitList.Empty()) {
        CloseHandle(thread);
        m_stLock.Release();
        return 1;
    }
    if (peek) {
        m_stLock.Release();
        return 1;
    }
    m_hWaitingThread = thread;
    m_nHandshake = 1;
    // Returns once an event has resumed this thread.
    SendMessageA(m_hFrame, kRequestMessage, kRequestSuspendWaiter, reinterpret_cast<LPARAM>(item));
    return 1;
}

void CCorvaneCore::SuspendWaiter() {
    m_nSuspended = 1;
    SuspendThread(m_hWaitingThread);
    m_stLock.Release();
    m_nHandshake = 0;
    DeliverPendingEvents();
}

// Called with the lock held. True when a waiting thread was resumed.
bool CCorvaneCore::Deliver(int code, int window) {
    const WaitThread match = m_stWaitList.TakeMatch(window, code);
    if (!match)
        return false;
    const HANDLE thread = reinterpret_cast<HANDLE>(match);
    m_nSuspended = 0;
    const bool resumed = ResumeThread(thread) != static_cast<DWORD>(-1);
    CloseHandle(thread);
    return resumed;
}

void CCorvaneCore::DeliverPendingEvents() {
    if (m_stPending.Empty() || !m_stLock.TryAcquire())
        return;
    struct DeferredClose {
        CorItem* window;
        bool consumed;
    };
    std::vector<DeferredClose> closes;
    for (const CPendingEvents::Event& e : m_stPending.TakeAll()) {
        const bool resumed = Deliver(e.code, e.window);
        if (e.code == kEventCloseWindow)
            closes.push_back({FindWindowItem(e.window), resumed});
    }
    m_stLock.Release();
    // Destroying a window sends messages of its own; never with the lock held.
    for (const DeferredClose& close : closes) {
        if (close.window)
            FinishClose(*close.window, close.consumed);
    }
}

RaiseResult CCorvaneCore::RaiseEvent(int code, CorItem* window) {
    if (!window)
        return RaiseResult::NoneWaiting;
    DeliverPendingEvents();
    if (!m_stLock.TryAcquire()) {
        m_stPending.Add(code, window->Handle());
        return RaiseResult::Pending;
    }
    const bool resumed = Deliver(code, window->Handle());
    m_stLock.Release();
    return resumed ? RaiseResult::Resumed : RaiseResult::NoneWaiting;
}

int CCorvaneCore::RaiseUserEvent(int window, int value) {
    CorItem* item = FindWindowItem(window);
    if (!item)
        return 0;
    item->surface->latches.userValue = value;
    PostMessageA(item->window, kRequestMessage, kRequestRaiseEvent, kEventUser);
    return 1;
}
