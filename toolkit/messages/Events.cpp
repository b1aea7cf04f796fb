// Waiting for events and raising them.
//
// The waiting thread takes the toolkit lock, registers what it waits for and
// asks the main thread (sub-code 4) to suspend it; the main thread releases
// the lock once the waiter is suspended. The main thread raises events only
// by trying the lock once, so it never blocks on a waiter. The waiter posts
// its request and then only reads memory until it is frozen, and the main
// thread freezes it only once its post has returned: frozen inside a
// call into the window system (a sent message, say), it could hold a lock of
// that system which the main thread needs before it can raise the event that
// would wake the waiter. Under Wine that is the display connection's lock,
// and both threads stopped for good.
//
// The pending rule. An event the main thread cannot deliver because the lock
// is held was raised during the set-up of a wait, and it belongs to that
// wait: it is kept (main thread only) and decided when that set-up ends,
// never later.
//   - The set-up suspends its thread: the main thread decides the kept
//     events right after suspending it, against the list just registered.
//   - The set-up ends without suspending (a peek, nothing to wait for, a bad
//     window or list): the waiter hands its lock to the main thread
//     (sub-code 12), which decides them against the list as it is before
//     the waiter returns; a peek's entries stay registered and can match.
// Each kept event is tagged with its set-up; one still kept when a later
// set-up ends is stale and decided as awaited by nobody.
// Either way the events are decided before another wait can start, so a
// kept event never wakes a later wait. A kept close that nobody consumed
// closes its window then (unless kept open).
//
// Windows of another thread ("localwindow") raise their own events there.
// They try the lock once too; an event they keep is decided by the main
// thread (sub-code 11) under the same rule; a close they keep that nobody
// consumes is carried out by the window's own thread.
#include <string>
#include <vector>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/events/EventNames.h"
#include "toolkit/portable/options/KeywordSearch.h"

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

void FreezeThread(HANDLE thread) {
    if (SuspendThread(thread) == static_cast<DWORD>(-1))
        return;
    // Reading the context waits until the thread has really stopped.
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(thread, &context);
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
    if (!item || !SplitEventList(list, tokens))
        return EndWaitWithoutWaiting(0);
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
        return EndWaitWithoutWaiting(1);
    }
    if (peek)
        return EndWaitWithoutWaiting(1);
    m_hWaitingThread = thread;
    m_nHandshake = kHandshakeAsked;
    if (!PostMessageA(m_hFrame, kRequestMessage, kRequestSuspendWaiter, reinterpret_cast<LPARAM>(item)))
        return AbandonWait();
    int asked = kHandshakeAsked;
    m_nHandshake.compare_exchange_strong(asked, kHandshakeWaiting);
    return AwaitResumption();
}

// Returns once an event has resumed this thread (1), or with 0 when the
// window went while the wait was being set up or the frame went before it
// saw the request. Memory reads and sleeps only: see the top of this file.
int CCorvaneCore::AwaitResumption() {
    for (;;) {
        // The frame first: once it is gone, the hand-shake read after it
        // tells whether the request was served before.
        const bool frameAlive = m_bFrameAlive.load();
        const int handshake = m_nHandshake.load();
        if (handshake != kHandshakeAsked && handshake != kHandshakeWaiting) {
            m_nHandshake = kHandshakeNone;
            return handshake == kHandshakeRefused ? 0 : 1;
        }
        if (!frameAlive)
            return AbandonWait();
        Sleep(1);
    }
}

// The waiter still holds the lock: nobody will suspend it.
int CCorvaneCore::AbandonWait() {
    CloseThreads(m_stWaitList.Clear());
    m_nHandshake = kHandshakeNone;
    m_stLock.Release();
    return 0;
}

// Called with the lock held by a set-up that does not suspend its thread:
// the lock goes to the main thread, which ends the set-up there. Without a
// frame to take it (no window yet, or the toolkit ending) nothing can have
// been kept, and the lock is simply released.
int CCorvaneCore::EndWaitWithoutWaiting(int result) {
    if (!m_bFrameAlive.load() || !SendMessageA(m_hFrame, kRequestMessage, kRequestEndSetUp, 0))
        m_stLock.Release();
    return result;
}

// A close that nobody awaited yet destroys its window; a wait registered on
// that window while it was being destroyed (a program reaching its wait
// just as the user closes the window) would sleep for good, since no event
// of a destroyed window ever comes. It ends as a wait on no window does.
void CCorvaneCore::SuspendWaiter(const CorItem& window) {
    if (!window.live.load() || !IsWindow(window.window)) {
        CloseThreads(m_stWaitList.Clear());
        m_nHandshake = kHandshakeRefused;
        EndSetUp();
        return;
    }
    // The request may be served before the waiter's post has returned: it
    // is frozen only once it reads nothing but memory.
    while (m_nHandshake.load() == kHandshakeAsked)
        Sleep(0);
    FreezeThread(m_hWaitingThread);
    // Only once it is frozen: whoever reads this may then read its context.
    m_nSuspended = 1;
    m_nHandshake = kHandshakeNone;
    EndSetUp();
}

// Main thread, holding the lock of the set-up that ends here: its kept
// events are decided against the list it registered, then the lock is free.
void CCorvaneCore::EndSetUp() {
    const std::vector<DeferredClose> closes = DecidePendingEvents();
    m_nSetUpsEnded.fetch_add(1);
    m_stLock.Release();
    FinishCloses(closes);
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

// Main thread, with the lock held. Events of an earlier set-up are stale:
// nobody waits for them any more.
std::vector<CCorvaneCore::DeferredClose> CCorvaneCore::DecidePendingEvents() {
    const unsigned setUp = m_nSetUpsEnded.load();
    std::vector<DeferredClose> closes;
    for (const CPendingEvents::Event& e : m_stPending.TakeAll()) {
        const bool resumed = e.setUp == setUp && Deliver(e.code, e.window);
        if (e.code == kEventCloseWindow)
            closes.push_back({FindWindowItem(e.window), resumed});
    }
    return closes;
}

// Destroying a window sends messages of its own; never with the lock held.
void CCorvaneCore::FinishCloses(const std::vector<DeferredClose>& closes) {
    for (const DeferredClose& close : closes) {
        if (close.window)
            FinishClose(*close.window, close.consumed);
    }
}

void CCorvaneCore::DeliverPendingEvents() {
    if (m_stPending.Empty() || !m_stLock.TryAcquire())
        return;
    const std::vector<DeferredClose> closes = DecidePendingEvents();
    m_stLock.Release();
    FinishCloses(closes);
}

RaiseResult CCorvaneCore::RaiseEvent(int code, CorItem* window) {
    if (!window)
        return RaiseResult::NoneWaiting;
    if (OnMainThread())
        DeliverPendingEvents();
    if (!m_stLock.TryAcquire()) {
        m_stPending.Add(code, window->Handle(), m_nSetUpsEnded.load());
        // Kept by a window of another thread: the main thread decides it,
        // at once if the set-up it belongs to has already ended.
        if (!OnMainThread())
            PostMessageA(m_hFrame, kRequestMessage, kRequestDecidePending, 0);
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
