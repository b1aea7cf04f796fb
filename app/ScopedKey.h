// A registry key that closes when its scope ends, also on the way out of an
// early return or a fatal report.
#pragma once

#include "toolkit/core/Platform.h"

class CScopedKey {
  public:
    CScopedKey() = default;
    CScopedKey(const CScopedKey&) = delete;
    CScopedKey& operator=(const CScopedKey&) = delete;
    ~CScopedKey() {
        if (m_hKey)
            RegCloseKey(m_hKey);
    }
    HKEY* Receive() { return &m_hKey; }
    HKEY Get() const { return m_hKey; }
    explicit operator bool() const { return m_hKey != nullptr; }

  private:
    HKEY m_hKey = nullptr;
};
