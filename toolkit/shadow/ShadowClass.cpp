#include "toolkit/core/SystemApis.h"
#include "toolkit/shadow/ShadowState.h"
#include "toolkit/shadow/WndShadow.h"

namespace {

constexpr char kShadowClassName[] = "HaldenShadowWnd";

template <typename Fn>
Fn Lookup(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool RegisterShadowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kShadowClassName;
    return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

ShadowProcessState& ShadowState() {
    static ShadowProcessState state;
    return state;
}

bool CompositionEnabled() {
    ShadowProcessState& state = ShadowState();
    if (auto query = state.compositionQuery.load())
        return query();
    BOOL enabled = FALSE;
    return state.dwmIsCompositionEnabled && SUCCEEDED(state.dwmIsCompositionEnabled(&enabled)) && enabled;
}

CWndShadow* FindShadow(HWND parent) {
    ShadowProcessState& state = ShadowState();
    std::lock_guard<std::mutex> lock(state.mapLock);
    auto found = state.shadows.find(parent);
    return found == state.shadows.end() ? nullptr : found->second.get();
}

bool CWndShadow::InitShadowClass(HINSTANCE instance) {
    ShadowProcessState& state = ShadowState();
    static std::mutex initLock;
    std::lock_guard<std::mutex> lock(initLock);
    if (state.updateLayeredWindow.load())
        return false;
    HMODULE user = LoadSystemLibrary("USER32.DLL");
    auto update = user ? Lookup<UpdateLayeredWindowFn>(user, "UpdateLayeredWindow") : nullptr;
    if (!update)
        return false;
    // Without dwmapi.dll there is no composition to give way to.
    if (HMODULE dwm = LoadSystemLibrary("dwmapi.dll"))
        state.dwmIsCompositionEnabled = Lookup<DwmIsCompositionEnabledFn>(dwm, "DwmIsCompositionEnabled");
    state.instance = instance;
    if (!RegisterShadowClass(instance))
        return false;
    state.updateLayeredWindow = update;
    return true;
}

void CWndShadow::SetCompositionQuery(CompositionQuery query) {
    ShadowState().compositionQuery = query;
}

bool CWndShadow::HasShadow(HWND parent) {
    return FindShadow(parent) != nullptr;
}

CWndShadow* CWndShadow::ShadowOf(HWND parent) {
    return FindShadow(parent);
}

void CWndShadow::CreateShadow(std::unique_ptr<CWndShadow> owned, HWND parent, bool always) {
    ShadowProcessState& state = ShadowState();
    CWndShadow* shadow = owned.get();
    if (!shadow || !state.updateLayeredWindow.load() || !IsWindow(parent))
        return;
    {
        std::lock_guard<std::mutex> lock(state.mapLock);
        if (!state.shadows.emplace(parent, std::move(owned)).second)
            return;
    }
    shadow->Attach(parent, always);
}

void CWndShadow::Attach(HWND parent, bool always) {
    m_hParent = parent;
    m_bAlways = always;
    m_hWindow = CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClassName, nullptr, WS_POPUPWINDOW,
                                CW_USEDEFAULT, 0, 0, 0, parent, nullptr, ShadowState().instance, nullptr);
    m_nStatus = ShadowStatus::WithComposition(ShadowStatus::kEnabled, CompositionEnabled(), always);
    ShowShadow(ParentVisible());
    m_pPreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndShadow::ParentProc)));
}
