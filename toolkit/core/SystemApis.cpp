#include "toolkit/core/SystemApis.h"

namespace {

template <typename Fn>
void Resolve(HMODULE library, const char* name, Fn& pointer) {
    pointer = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

template <typename A, typename B>
void KeepPairOrNeither(A& a, B& b) {
    if (!a || !b) {
        a = nullptr;
        b = nullptr;
    }
}

// Composition needs both its query and its switch; window attributes need
// both the setter and the getter.
void LoadDwm(SystemApis& apis) {
    HMODULE dwm = LoadSystemLibrary("dwmapi.dll");
    if (!dwm)
        return;
    apis.dwmLibrary = dwm;
    Resolve(dwm, "DwmIsCompositionEnabled", apis.DwmIsCompositionEnabled);
    Resolve(dwm, "DwmEnableComposition", apis.DwmEnableComposition);
    KeepPairOrNeither(apis.DwmIsCompositionEnabled, apis.DwmEnableComposition);
    Resolve(dwm, "DwmSetWindowAttribute", apis.DwmSetWindowAttribute);
    Resolve(dwm, "DwmGetWindowAttribute", apis.DwmGetWindowAttribute);
    KeepPairOrNeither(apis.DwmSetWindowAttribute, apis.DwmGetWindowAttribute);
}

// Themed drawing is all or nothing: without its three basic calls the library
// is given back and every theme pointer stays null.
void LoadTheme(SystemApis& apis) {
    HMODULE theme = LoadSystemLibrary("uxTheme.dll");
    if (!theme)
        return;
    Resolve(theme, "OpenThemeData", apis.OpenThemeData);
    Resolve(theme, "DrawThemeBackground", apis.DrawThemeBackground);
    Resolve(theme, "DrawThemeText", apis.DrawThemeText);
    if (!apis.OpenThemeData || !apis.DrawThemeBackground || !apis.DrawThemeText) {
        FreeLibrary(theme);
        apis.OpenThemeData = nullptr;
        apis.DrawThemeBackground = nullptr;
        apis.DrawThemeText = nullptr;
        return;
    }
    apis.themeLibrary = theme;
    Resolve(theme, "CloseThemeData", apis.CloseThemeData);
    Resolve(theme, "DrawThemeTextEx", apis.DrawThemeTextEx);
    Resolve(theme, "GetThemeMetric", apis.GetThemeMetric);
    Resolve(theme, "GetThemePartSize", apis.GetThemePartSize);
}

void LoadImageFunctions(SystemApis& apis) {
    HMODULE image = LoadSystemLibrary("msimg32.dll");
    if (!image)
        return;
    apis.imageLibrary = image;
    Resolve(image, "GradientFill", apis.GradientFill);
    Resolve(image, "AlphaBlend", apis.AlphaBlend);
}

}  // namespace

HMODULE LoadSystemLibrary(const char* name) {
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::string path(directory, length);
    if (path.back() != '\\')
        path += '\\';
    path += name;
    return LoadLibraryA(path.c_str());
}

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(path, length);
}

void LoadSystemApis(SystemApis& apis) {
    LoadDwm(apis);
    LoadTheme(apis);
    LoadImageFunctions(apis);
    if (HMODULE user = GetModuleHandleA("user32.dll"))
        Resolve(user, "UpdateLayeredWindow", apis.UpdateLayeredWindow);
}
