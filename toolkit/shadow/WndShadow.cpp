#include "toolkit/shadow/WndShadow.h"

#include "toolkit/shadow/ShadowState.h"

namespace {

// Takes parent's shadow out of the map; the caller's scope frees it.
std::unique_ptr<CWndShadow> RemoveShadow(HWND parent) {
    ShadowProcessState& state = ShadowState();
    std::lock_guard<std::mutex> lock(state.mapLock);
    auto found = state.shadows.find(parent);
    if (found == state.shadows.end())
        return nullptr;
    std::unique_ptr<CWndShadow> shadow = std::move(found->second);
    state.shadows.erase(found);
    return shadow;
}

}  // namespace

CWndShadow::~CWndShadow() {
    if (m_hWindow)
        DestroyWindow(m_hWindow);
}

bool CWndShadow::Refreshed(bool changed) {
    if (changed && (m_nStatus & ShadowStatus::kShadowVisible))
        UpdateShadow();
    return changed;
}

bool CWndShadow::SetShadowSize(int n) {
    return Refreshed(m_stSettings.SetShadowSize(n));
}

bool CWndShadow::SetShadowSharpness(int n) {
    return Refreshed(m_stSettings.SetShadowSharpness(n));
}

bool CWndShadow::SetShadowDarkness(int n) {
    return Refreshed(m_stSettings.SetShadowDarkness(n));
}

bool CWndShadow::SetShadowOffset(int x, int y) {
    return Refreshed(m_stSettings.SetShadowOffset(x, y));
}

void CWndShadow::SetShadowColor(COLORREF colour) {
    m_stSettings.SetShadowColor(colour);
    Refreshed(true);
}

bool CWndShadow::ParentMaximisedOrMinimised() const {
    return (GetWindowLongA(m_hParent, GWL_STYLE) & (WS_MAXIMIZE | WS_MINIMIZE)) != 0;
}

bool CWndShadow::ParentVisible() const {
    return (GetWindowLongA(m_hParent, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CWndShadow::ShowShadow(bool parentVisible) {
    m_nStatus = ShadowStatus::AfterShow(m_nStatus, parentVisible, ParentMaximisedOrMinimised());
    if (m_nStatus & ShadowStatus::kShadowVisible) {
        ShowWindow(m_hWindow, SW_SHOWNOACTIVATE);
        UpdateShadow();
    } else {
        HideShadow();
    }
}

void CWndShadow::HideShadow() {
    ShowWindow(m_hWindow, SW_HIDE);
}

void CWndShadow::MoveShadow() {
    RECT parent;
    GetWindowRect(m_hParent, &parent);
    const ShadowPoint at = ShadowWindowPosition(parent.left, parent.top, m_stSettings);
    SetWindowPos(m_hWindow, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CWndShadow::ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CWndShadow* shadow = FindShadow(parent))
        return shadow->OnParentMessage(message, wParam, lParam);
    return DefWindowProcA(parent, message, wParam, lParam);
}

LRESULT CWndShadow::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(m_pPreviousProc, m_hParent, message, wParam, lParam);
}

LRESULT CWndShadow::OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE:
        if (m_nStatus & ShadowStatus::kShadowVisible)
            MoveShadow();
        break;
    case WM_SIZE:
        OnSize(wParam, lParam);
        break;
    case WM_PAINT:
        if (m_bUpdatePending) {
            m_bUpdatePending = false;
            UpdateShadow();
        }
        break;
    case WM_SHOWWINDOW:
        return OnShowWindow(wParam, lParam);
    case WM_EXITSIZEMOVE:
        if (m_nStatus & ShadowStatus::kShadowVisible)
            UpdateShadow();
        break;
    case WM_DWMCOMPOSITIONCHANGED:
        m_nStatus = ShadowStatus::WithComposition(m_nStatus, CompositionEnabled(), m_bAlways);
        ShowShadow(ParentVisible());
        break;
    case WM_DESTROY:
    case WM_NCDESTROY: {
        // This object may be gone once the message is handled.
        const WNDPROC previous = m_pPreviousProc;
        const HWND parent = m_hParent;
        if (message == WM_DESTROY)
            OnDestroy();
        else
            RemoveShadow(parent);
        return CallWindowProcA(previous, parent, message, wParam, lParam);
    }
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

void CWndShadow::OnSize(WPARAM kind, LPARAM sizes) {
    const ShadowStatus::ParentSize last{LOWORD(m_nLastSize), HIWORD(m_nLastSize)};
    const ShadowStatus::ParentSize now{LOWORD(sizes), HIWORD(sizes)};
    const bool maxOrMin = kind == SIZE_MAXIMIZED || kind == SIZE_MINIMIZED;
    const ShadowStatus::SizeStep step = ShadowStatus::AfterSize(m_nStatus, maxOrMin, ParentVisible(), last, now);
    m_nStatus = step.status;
    m_nLastSize = sizes;
    switch (step.action) {
    case ShadowStatus::SizeAction::kHide:
        HideShadow();
        break;
    case ShadowStatus::SizeAction::kShowAndUpdate:
        UpdateShadow();
        ShowWindow(m_hWindow, SW_SHOWNOACTIVATE);
        m_bUpdatePending = true;
        break;
    case ShadowStatus::SizeAction::kUpdateAtPaint:
        m_bUpdatePending = true;
        break;
    case ShadowStatus::SizeAction::kUpdateNow:
        UpdateShadow();
        break;
    case ShadowStatus::SizeAction::kNothing:
        break;
    }
}

// The parent's own handling comes first, so that the shadow sees the parent
// as it has become; only its visible bit is set after this message.
LRESULT CWndShadow::OnShowWindow(WPARAM shown, LPARAM lParam) {
    const LRESULT result = CallPrevious(WM_SHOWWINDOW, shown, lParam);
    if (!ShadowStatus::IsActive(m_nStatus))
        return result;
    if (shown) {
        m_bUpdatePending = true;
        ShowShadow(true);
    } else {
        HideShadow();
        m_nStatus = ShadowStatus::AfterHide(m_nStatus);
    }
    return result;
}

// A procedure subclassed on top of ours cannot be unhooked from beneath it;
// then the shadow stays entered until WM_NCDESTROY.
void CWndShadow::OnDestroy() {
    DestroyWindow(m_hWindow);
    m_hWindow = nullptr;
    m_nStatus = 0;
    const auto ours = reinterpret_cast<LONG_PTR>(&CWndShadow::ParentProc);
    if (GetWindowLongPtrA(m_hParent, GWLP_WNDPROC) != ours)
        return;
    SetWindowLongPtrA(m_hParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pPreviousProc));
    RemoveShadow(m_hParent);
}
