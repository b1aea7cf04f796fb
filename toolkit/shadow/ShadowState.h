// What all shadows of the process share: the late-bound entry points, the
// class's instance and the map from parent window to its shadow.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "toolkit/core/Platform.h"

class CWndShadow;

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                            DWORD);
using DwmIsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);

struct ShadowProcessState {
    // Set once the class is registered; its presence means "initialised".
    std::atomic<UpdateLayeredWindowFn> updateLayeredWindow{nullptr};
    DwmIsCompositionEnabledFn dwmIsCompositionEnabled = nullptr;
    HINSTANCE instance = nullptr;
    std::atomic<bool (*)()> compositionQuery{nullptr};

    // Windows of several threads may carry shadows; each shadow is only
    // touched by its parent's thread once found.
    std::mutex mapLock;
    std::map<HWND, std::unique_ptr<CWndShadow>> shadows;
};

ShadowProcessState& ShadowState();

// Whether desktop composition is on, from the query when one is set.
bool CompositionEnabled();

// The shadow entered for parent, or null.
CWndShadow* FindShadow(HWND parent);
