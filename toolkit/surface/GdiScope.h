// Scope objects for GDI handles and selections, so that every object made and
// every selection changed is put back on every path.
#pragma once

#include "toolkit/core/Platform.h"

// Selects an object into a context and selects the previous one back.
class CScopedSelect {
  public:
    CScopedSelect(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hPrevious(object ? SelectObject(dc, object) : nullptr) {}
    ~CScopedSelect() {
        if (m_hPrevious)
            SelectObject(m_hDC, m_hPrevious);
    }
    CScopedSelect(const CScopedSelect&) = delete;
    CScopedSelect& operator=(const CScopedSelect&) = delete;

  private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};

// Owns a pen, brush, bitmap, font or region and deletes it. Declare it before
// the selection that uses it, so the selection is undone first.
template <typename Handle>
class CGdiObject {
  public:
    explicit CGdiObject(Handle handle = nullptr) : m_hObject(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    Handle Get() const { return m_hObject; }
    explicit operator bool() const { return m_hObject != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (m_hObject)
            DeleteObject(m_hObject);
        m_hObject = handle;
    }
    Handle Release() {
        Handle handle = m_hObject;
        m_hObject = nullptr;
        return handle;
    }

  private:
    Handle m_hObject;
};

// A memory context, deleted at the end of the scope.
class CMemoryDC {
  public:
    explicit CMemoryDC(HDC compatible) : m_hDC(CreateCompatibleDC(compatible)) {}
    ~CMemoryDC() {
        if (m_hDC)
            DeleteDC(m_hDC);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }

  private:
    HDC m_hDC;
};
