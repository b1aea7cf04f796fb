// Helpers of the toolkit tests, which run on the worker thread.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "app/WorkerApp.h"
#include "toolkit/core/Corvane.h"

constexpr DWORD kTestTimeoutMs = 5000;

inline CCorvaneCore& Core() {
    return *CorvaneCore();
}

// Polls condition until it holds or the timeout passes; true when it held.
inline bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kTestTimeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(5);
    }
    return true;
}

// A window with no parent, away from the pointer in the middle of the screen
// so no stray mouse event reaches it. Hidden unless a test needs to see it:
// without a window manager, Wine waits up to two seconds for each visible
// window it unmaps.
inline int NewWindow(const char* options = "hide", int x = 20, int y = 20) {
    return Core().Window.CreateWindow(0, x, y, 200, 150, "Test window", options);
}

// Watches a blocking wait of the calling thread: runs action on a helper
// thread once ready holds, and should the caller still be asleep after the
// timeout, resumes it, so a lost wake-up fails the test instead of hanging it.
class CWaitWatch {
  public:
    CWaitWatch(std::function<bool()> ready, std::function<void()> action)
        : m_hWaiter(DuplicateCurrentThread()),
          m_stThread([this, ready, action] {
              if (WaitFor(ready))
                  action();
              if (WaitFor([this] { return m_bReturned.load(); }))
                  return;
              m_bRescued = true;
              while (!m_bReturned) {
                  ResumeThread(m_hWaiter);
                  Sleep(10);
              }
          }) {}

    ~CWaitWatch() {
        m_bReturned = true;
        m_stThread.join();
        CloseHandle(m_hWaiter);
    }

    // Call when the wait has returned; true when it returned by itself.
    bool ReturnedByItself() {
        m_bReturned = true;
        return !m_bRescued;
    }

  private:
    HANDLE m_hWaiter;
    std::atomic<bool> m_bReturned{false};
    std::atomic<bool> m_bRescued{false};
    std::thread m_stThread;
};
