#include "toolkit/core/WindowClasses.h"

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/shadow/LayeredAttributes.h"

namespace {

constexpr int kIconResource = 128;

// A superclassed system control keeps its system procedure for everything the
// toolkit does not handle itself.
struct Superclass {
    const char* systemClass;
    const char* name;
    WNDPROC systemProc;
};

Superclass g_stSuperclasses[] = {
    {"Button", kButtonClass, nullptr},
    {"STATIC", kStaticClass, nullptr},
    {"msctls_trackbar32", kTrackbarClass, nullptr},
    {"edit", kEditBoxClass, nullptr},
};

constexpr int kButtonSuperclass = 0;
constexpr int kStaticSuperclass = 1;
constexpr int kEditSuperclass = 3;

template <int Index>
LRESULT CALLBACK SuperclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CCorvaneCore* core = CorvaneCore();
    const WNDPROC systemProc = g_stSuperclasses[Index].systemProc;
    LRESULT result = 0;
    if (Index == kButtonSuperclass && core && core->OnButtonMessage(window, message, wParam, lParam, result))
        return result;
    if (Index == kEditSuperclass && core && core->OnEditMessage(window, message, wParam, lParam, systemProc, result))
        return result;
    result = CallWindowProcA(systemProc, window, message, wParam, lParam);
    // The pointer moving over a panel is a hover change like a button's:
    // attributes set meanwhile reach the window beneath.
    if (Index == kStaticSuperclass && message == WM_MOUSEMOVE)
        ApplyLayeredAttributes();
    return result;
}

const WNDPROC kSuperclassProcs[] = {SuperclassProc<0>, SuperclassProc<1>, SuperclassProc<2>, SuperclassProc<3>};

void RegisterSuperclass(HINSTANCE instance, int index, UINT removeStyle) {
    Superclass& s = g_stSuperclasses[index];
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(nullptr, s.systemClass, &wc))
        return;
    s.systemProc = wc.lpfnWndProc;
    wc.lpfnWndProc = kSuperclassProcs[index];
    wc.lpszClassName = s.name;
    wc.hInstance = instance;
    wc.hbrBackground = nullptr;
    wc.style &= ~removeStyle;
    RegisterClassExA(&wc);
}

HICON LoadSizedIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void RegisterUserWindowClass(HINSTANCE instance, const char* name, UINT style, HCURSOR cursor) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = CCorvaneCore::UserWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadSizedIcon(instance, 32);
    wc.hIconSm = LoadSizedIcon(instance, 16);
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

// A redrawn-on-resize class with the arrow cursor and no background brush.
void RegisterPlainClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

void RegisterFrameClass(HINSTANCE instance) {
    RegisterPlainClass(instance, kFrameClass, CCorvaneCore::FrameProc,
                       LoadIconA(instance, MAKEINTRESOURCEA(kIconResource)));
}

// A plain class made from the static control's information, for child panels.
void RegisterChildPanelClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    if (!GetClassInfoA(nullptr, "STATIC", &wc))
        return;
    wc.style = 0;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hIcon = LoadSizedIcon(instance, 32);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kUserWindowClass;
    RegisterClassA(&wc);
}

// The class of text windows: hosted ones ("textonly") and free-standing ones.
void RegisterTextWindowClass(HINSTANCE instance) {
    RegisterPlainClass(instance, kTextWindowClass, CCorvaneCore::TextWindowProc, LoadIconA(nullptr, IDI_APPLICATION));
}

struct UserClass {
    WindowClassKind kind;
    const char* name;
    UINT style;
    bool cursor;
};

const UserClass kUserClasses[] = {
    {WindowClassKind::UserWin, "qv_UserWin", CS_HREDRAW | CS_VREDRAW, true},
    {WindowClassKind::DropShadow, "qv_UserWinDS", CS_HREDRAW | CS_VREDRAW | CS_DROPSHADOW, true},
    {WindowClassKind::DoubleClick, "qv_UserWinDblClk", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, true},
    {WindowClassKind::NoCursor, "qv_UserWinNoCursor", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, false},
};

}  // namespace

void RegisterWindowClasses(HINSTANCE instance) {
    RegisterFrameClass(instance);
    RegisterSuperclass(instance, 0, 0);
    RegisterSuperclass(instance, 1, CS_DBLCLKS);
    RegisterChildPanelClass(instance);
    RegisterSuperclass(instance, 2, 0);
    RegisterSuperclass(instance, 3, 0);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    for (const UserClass& c : kUserClasses)
        RegisterUserWindowClass(instance, c.name, c.style, c.cursor ? arrow : nullptr);
    RegisterTextWindowClass(instance);
}

const char* WindowClassName(WindowClassKind kind) {
    if (kind == WindowClassKind::TextWindow)
        return kTextWindowClass;
    for (const UserClass& c : kUserClasses) {
        if (c.kind == kind)
            return c.name;
    }
    return kUserClasses[0].name;
}
