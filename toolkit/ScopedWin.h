// Scope objects for Windows handles and for objects selected into a device
// context: each is released or put back when the scope ends.
#pragma once

#include "toolkit/Platform.h"

class ScopedHandle {
  public:
    explicit ScopedHandle(HANDLE h = nullptr) : m_hHandle(h) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    HANDLE Get() const { return m_hHandle; }
    HANDLE Release() {
        HANDLE h = m_hHandle;
        m_hHandle = nullptr;
        return h;
    }
    void Reset(HANDLE h = nullptr) {
        if (m_hHandle)
            CloseHandle(m_hHandle);
        m_hHandle = h;
    }

  private:
    HANDLE m_hHandle;
};

class ScopedGdiObject {
  public:
    explicit ScopedGdiObject(HGDIOBJ h = nullptr) : m_hObject(h) {}
    ~ScopedGdiObject() { Reset(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    HGDIOBJ Get() const { return m_hObject; }
    void Reset(HGDIOBJ h = nullptr) {
        if (m_hObject)
            DeleteObject(m_hObject);
        m_hObject = h;
    }

  private:
    HGDIOBJ m_hObject;
};

class ScopedSelectObject {
  public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hPrevious(SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (m_hPrevious)
            SelectObject(m_hDC, m_hPrevious);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};

class ScopedMemoryDC {
  public:
    explicit ScopedMemoryDC(HDC compatible) : m_hDC(CreateCompatibleDC(compatible)) {}
    ~ScopedMemoryDC() { Reset(); }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC Get() const { return m_hDC; }
    void Reset() {
        if (m_hDC)
            DeleteDC(m_hDC);
        m_hDC = nullptr;
    }

  private:
    HDC m_hDC;
};
