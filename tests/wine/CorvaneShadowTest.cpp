#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>

#include "tests/wine/ToolkitTestSupport.h"
#include "toolkit/shadow/WndShadow.h"

namespace {

std::atomic<bool> g_bCompositionOn{false};

bool ReportedComposition() {
    return g_bCompositionOn.load();
}

HWND ShadowWindow(HWND parent) {
    CWndShadow* shadow = CWndShadow::ShadowOf(parent);
    return shadow ? shadow->Window() : nullptr;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Whether the shadow lies where offset 5, 5 and the given size put it for
// the parent as it stands now.
bool ShadowInPlace(HWND parent, int size = 0) {
    RECT p, s;
    const HWND shadow = ShadowWindow(parent);
    if (!shadow || !GetWindowRect(parent, &p) || !GetWindowRect(shadow, &s))
        return false;
    return SameRect(s, RECT{p.left + 5 - size, p.top + 5 - size, p.right + 5 + size, p.bottom + 5 + size});
}

bool ShadowAtDefaultPlace(HWND parent) {
    return ShadowInPlace(parent);
}

// Runs set on the parent's shadow on the main thread, where shadows live.
bool SetOnMainThread(HWND parent, bool (*set)(CWndShadow&)) {
    struct Call {
        HWND parent;
        bool (*set)(CWndShadow&);
        bool result;
    } call{parent, set, false};
    Core().RunOnMainThread(
        [](void* p, void*) {
            Call& c = *static_cast<Call*>(p);
            c.result = c.set(*CWndShadow::ShadowOf(c.parent));
        },
        &call, nullptr);
    return call.result;
}

// A window made hidden and shown with a drop shadow of the given mode.
class ShadowedWindow {
  public:
    explicit ShadowedWindow(int mode) : m_nWindow(NewWindow("hide", 60, 60)) {
        Core().Window.SetDropShadow(m_nWindow, mode);
        Core().Window.Show(m_nWindow, 0);
        m_hWindow = Core().Window.GetHwnd(m_nWindow);
    }
    ~ShadowedWindow() { Core().Window.Destroy(m_nWindow); }
    ShadowedWindow(const ShadowedWindow&) = delete;
    ShadowedWindow& operator=(const ShadowedWindow&) = delete;

    int Handle() const { return m_nWindow; }
    HWND Parent() const { return m_hWindow; }
    HWND Shadow() const { return ShadowWindow(m_hWindow); }
    bool ShadowShown() const { return IsWindowVisible(Shadow()) != FALSE; }

  private:
    int m_nWindow;
    HWND m_hWindow = nullptr;
};

TEST(CorvaneShadow, DefaultShadowIsClickThroughLayeredOfTheParentsSizeFiveRightAndDown) {
    ShadowedWindow w(2);
    const HWND shadow = w.Shadow();
    ASSERT_NE(shadow, nullptr);
    char name[64] = {};
    GetClassNameA(shadow, name, sizeof(name));
    EXPECT_STREQ(name, "HaldenShadowWnd");
    const LONG exStyle = GetWindowLongA(shadow, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(GetWindow(shadow, GW_OWNER), w.Parent());
    EXPECT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
    EXPECT_TRUE(ShadowAtDefaultPlace(w.Parent()));
}

TEST(CorvaneShadow, ShowingAgainKeepsTheOneShadow) {
    ShadowedWindow w(2);
    const HWND shadow = w.Shadow();
    ASSERT_NE(shadow, nullptr);
    Core().Window.Show(w.Handle(), 0);
    EXPECT_EQ(w.Shadow(), shadow);
}

TEST(CorvaneShadow, WindowWithoutShadowModeGetsNone) {
    ShadowedWindow w(0);
    EXPECT_FALSE(CWndShadow::HasShadow(w.Parent()));
}

TEST(CorvaneShadow, FollowsAMovedParent) {
    ShadowedWindow w(2);
    ASSERT_NE(w.Shadow(), nullptr);
    Core().Window.SetPos(w.Handle(), 140, 110);
    EXPECT_TRUE(WaitFor([&] { return ShadowAtDefaultPlace(w.Parent()); }));
}

TEST(CorvaneShadow, FollowsAParentThatGrowsOrShrinks) {
    ShadowedWindow w(2);
    ASSERT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
    for (const SIZE size : {SIZE{320, 240}, SIZE{150, 100}}) {
        SCOPED_TRACE(size.cx);
        SetWindowPos(w.Parent(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(WaitFor([&] { return ShadowInPlace(w.Parent()); }));
    }
}

TEST(CorvaneShadow, NewSizeRedrawsAVisibleShadowAndARefusedOneLeavesIt) {
    ShadowedWindow w(2);
    ASSERT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
    EXPECT_TRUE(SetOnMainThread(w.Parent(), [](CWndShadow& s) { return s.SetShadowSize(3); }));
    EXPECT_TRUE(ShadowInPlace(w.Parent(), 3));
    EXPECT_FALSE(SetOnMainThread(w.Parent(), [](CWndShadow& s) { return s.SetShadowSize(21); }));
    EXPECT_TRUE(ShadowInPlace(w.Parent(), 3));
}

TEST(CorvaneShadow, NothingToShadowTakesTheOldShadowOffTheScreen) {
    ShadowedWindow w(2);
    ASSERT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
    // Shrunk by 20 on each side, a parent 30 pixels wide leaves an empty image.
    SetWindowPos(w.Parent(), nullptr, 0, 0, 30, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(SetOnMainThread(w.Parent(), [](CWndShadow& s) { return s.SetShadowSize(-20); }));
    EXPECT_FALSE(w.ShadowShown());
    ASSERT_TRUE(SetOnMainThread(w.Parent(), [](CWndShadow& s) { return s.SetShadowSize(0); }));
    EXPECT_TRUE(w.ShadowShown()) << "an image again";
    EXPECT_TRUE(ShadowInPlace(w.Parent()));
}

TEST(CorvaneShadow, MaximisedOrMinimisedParentHidesItAndRestoringShowsIt) {
    for (const int mode : {SW_MAXIMIZE, SW_MINIMIZE}) {
        SCOPED_TRACE(mode);
        ShadowedWindow w(2);
        ASSERT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
        Core().Window.Show(w.Handle(), mode);
        EXPECT_TRUE(WaitFor([&] { return !w.ShadowShown(); }));
        Core().Window.Show(w.Handle(), SW_RESTORE);
        EXPECT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
        EXPECT_TRUE(WaitFor([&] { return ShadowAtDefaultPlace(w.Parent()); }));
    }
}

bool HasClassProcedure(HWND window) {
    return static_cast<ULONG_PTR>(GetWindowLongPtrA(window, GWLP_WNDPROC)) ==
           GetClassLongPtrA(window, GCLP_WNDPROC);
}

// Runs on the main thread inside WM_DESTROY, after the shadow has let go.
void RecordProcedureAtDestroy(void* user, int window) {
    *static_cast<bool*>(user) = HasClassProcedure(Core().Window.GetHwnd(window));
}

TEST(CorvaneShadow, DestroyedParentTakesItsShadowAndGetsItsProcedureBack) {
    const int w = NewWindow("hide", 60, 60);
    Core().Window.SetDropShadow(w, 2);
    Core().Window.Show(w, 0);
    const HWND parent = Core().Window.GetHwnd(w);
    const HWND shadow = ShadowWindow(parent);
    ASSERT_NE(shadow, nullptr);
    EXPECT_FALSE(HasClassProcedure(parent));
    bool restored = false;
    Core().Window.SetDestroyCallback(w, RecordProcedureAtDestroy, &restored);
    Core().Window.Destroy(w);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(parent); }));
    EXPECT_FALSE(IsWindow(shadow));
    EXPECT_FALSE(CWndShadow::HasShadow(parent));
    EXPECT_TRUE(restored);
}

TEST(CorvaneShadow, CompositionKeepsItHiddenUntilItIsReportedOff) {
    g_bCompositionOn = true;
    CWndShadow::SetCompositionQuery(ReportedComposition);
    {
        ShadowedWindow w(1);
        ASSERT_NE(w.Shadow(), nullptr);
        EXPECT_FALSE(w.ShadowShown());
        SendMessageA(w.Parent(), WM_DWMCOMPOSITIONCHANGED, 0, 0);
        EXPECT_FALSE(w.ShadowShown());
        g_bCompositionOn = false;
        SendMessageA(w.Parent(), WM_DWMCOMPOSITIONCHANGED, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
        EXPECT_TRUE(ShadowAtDefaultPlace(w.Parent()));
    }
    CWndShadow::SetCompositionQuery(nullptr);
}

TEST(CorvaneShadow, HiddenParentKeepsItHiddenWhenCompositionChanges) {
    ShadowedWindow w(2);
    ASSERT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
    Core().Window.Hide(w.Handle());
    ASSERT_FALSE(w.ShadowShown());
    SendMessageA(w.Parent(), WM_DWMCOMPOSITIONCHANGED, 0, 0);
    EXPECT_FALSE(w.ShadowShown());
    Core().Window.Show(w.Handle(), 0);
    EXPECT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
}

TEST(CorvaneShadow, AlwaysShadowsDespiteComposition) {
    g_bCompositionOn = true;
    CWndShadow::SetCompositionQuery(ReportedComposition);
    {
        ShadowedWindow w(2);
        EXPECT_TRUE(WaitFor([&] { return w.ShadowShown(); }));
    }
    CWndShadow::SetCompositionQuery(nullptr);
}

struct SettingCase {
    const char* name;
    std::function<bool(CWndShadow&)> set;
    bool accepted;
};

bool SameSettings(const CShadowSettings& a, const CShadowSettings& b) {
    return a.Size() == b.Size() && a.Sharpness() == b.Sharpness() && a.Darkness() == b.Darkness() &&
           a.XOffset() == b.XOffset() && a.YOffset() == b.YOffset() && a.Colour() == b.Colour();
}

TEST(CorvaneShadow, OutOfRangeSettingsAreRefusedAndChangeNothing) {
    const SettingCase cases[] = {
        {"size 21", [](CWndShadow& s) { return s.SetShadowSize(21); }, false},
        {"size -21", [](CWndShadow& s) { return s.SetShadowSize(-21); }, false},
        {"sharpness 21", [](CWndShadow& s) { return s.SetShadowSharpness(21); }, false},
        {"sharpness -1", [](CWndShadow& s) { return s.SetShadowSharpness(-1); }, false},
        {"darkness 256", [](CWndShadow& s) { return s.SetShadowDarkness(256); }, false},
        {"darkness -1", [](CWndShadow& s) { return s.SetShadowDarkness(-1); }, false},
        {"offset 21, 0", [](CWndShadow& s) { return s.SetShadowOffset(21, 0); }, false},
        {"offset 0, -21", [](CWndShadow& s) { return s.SetShadowOffset(0, -21); }, false},
        {"size -20", [](CWndShadow& s) { return s.SetShadowSize(-20); }, true},
        {"sharpness 20", [](CWndShadow& s) { return s.SetShadowSharpness(20); }, true},
        {"darkness 255", [](CWndShadow& s) { return s.SetShadowDarkness(255); }, true},
        {"offset -20, 20", [](CWndShadow& s) { return s.SetShadowOffset(-20, 20); }, true},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(c.name);
        CWndShadow shadow;
        const CShadowSettings before = shadow.Settings();
        EXPECT_EQ(c.set(shadow), c.accepted);
        EXPECT_EQ(SameSettings(shadow.Settings(), before), !c.accepted);
    }
}

TEST(CorvaneShadow, ShadowModeNeedsAWindowAndAModeNotBelowZero) {
    const int w = NewWindow();
    EXPECT_EQ(Core().Window.SetDropShadow(w, -1), 0);
    EXPECT_EQ(Core().Window.SetDropShadow(w, 1), 1);
    EXPECT_EQ(Core().Window.SetDropShadow(0, 1), 0);
    EXPECT_EQ(Core().Window.SetDropShadow(9999, 1), 0);
    Core().Window.Destroy(w);
}

}  // namespace
