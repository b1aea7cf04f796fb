// The soft drop shadow of one toolkit window: a click-through layered window
// owned by its parent that follows it by subclassing the parent's procedure.
// The image itself comes from the portable half (ShadowImage.h). Everything
// but the map runs on the thread that owns the parent.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/core/Platform.h"
#include "toolkit/portable/shadow/ShadowSettings.h"
#include "toolkit/portable/shadow/ShadowStatus.h"

class CWndShadow {
  public:
    CWndShadow() = default;
    virtual ~CWndShadow();
    CWndShadow(const CWndShadow&) = delete;
    CWndShadow& operator=(const CWndShadow&) = delete;

    // Once per process; false when already done or when the system has no
    // UpdateLayeredWindow, in which case no shadow is ever made.
    static bool InitShadowClass(HINSTANCE instance);
    // Enters shadow in the map and attaches it to parent; `always` shadows
    // even while desktop composition draws shadows of its own. Does nothing
    // (and frees shadow) before InitShadowClass succeeded or when parent
    // already has one. On parent's thread.
    static void CreateShadow(std::unique_ptr<CWndShadow> shadow, HWND parent, bool always);
    static bool HasShadow(HWND parent);
    // The shadow of parent, null when it has none; it lives until the
    // parent is destroyed and is used on the parent's thread only.
    static CWndShadow* ShadowOf(HWND parent);

    // The system's answer can be replaced, so the composition paths can be
    // driven where the system's answer is fixed; null restores it.
    using CompositionQuery = bool (*)();
    static void SetCompositionQuery(CompositionQuery query);

    // False, changing nothing, for a value out of range; a visible shadow is
    // drawn again with the new value.
    bool SetShadowSize(int n);
    bool SetShadowSharpness(int n);
    bool SetShadowDarkness(int n);
    bool SetShadowOffset(int x, int y);
    void SetShadowColor(COLORREF colour);

    const CShadowSettings& Settings() const { return m_stSettings; }
    uint8_t Status() const { return m_nStatus; }
    HWND Window() const { return m_hWindow; }

  private:
    static LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnSize(WPARAM kind, LPARAM sizes);
    LRESULT OnShowWindow(WPARAM shown, LPARAM lParam);
    void OnDestroy();
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

    void Attach(HWND parent, bool always);
    void ShowShadow(bool parentVisible);
    void UpdateShadow();
    void MoveShadow();
    void HideShadow();
    bool Refreshed(bool changed);
    bool ParentVisible() const;
    bool ParentMaximisedOrMinimised() const;

    HWND m_hWindow = nullptr;
    HWND m_hParent = nullptr;
    WNDPROC m_pPreviousProc = nullptr;
    bool m_bAlways = false;
    uint8_t m_nStatus = 0;
    CShadowSettings m_stSettings;
    LPARAM m_nLastSize = 0;
    bool m_bUpdatePending = false;
};
