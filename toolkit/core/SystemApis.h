// Entry points looked up at run time because older Windows versions lack them.
// Every pointer may be null; callers check before use.
#pragma once

#include <string>

#include "toolkit/core/Platform.h"

using HTHEME_ = HANDLE;

struct SystemApis {
    // dwmapi.dll
    HRESULT(WINAPI* DwmIsCompositionEnabled)(BOOL*) = nullptr;
    HRESULT(WINAPI* DwmEnableComposition)(UINT) = nullptr;
    HRESULT(WINAPI* DwmSetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;
    HRESULT(WINAPI* DwmGetWindowAttribute)(HWND, DWORD, PVOID, DWORD) = nullptr;
    // uxTheme.dll
    HTHEME_(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* CloseThemeData)(HTHEME_) = nullptr;
    HRESULT(WINAPI* DrawThemeBackground)(HTHEME_, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* DrawThemeText)(HTHEME_, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
    HRESULT(WINAPI* DrawThemeTextEx)(HTHEME_, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const void*) = nullptr;
    HRESULT(WINAPI* GetThemeMetric)(HTHEME_, HDC, int, int, int, int*) = nullptr;
    HRESULT(WINAPI* GetThemePartSize)(HTHEME_, HDC, int, int, LPCRECT, int, SIZE*) = nullptr;
    // msimg32.dll: not one of the libraries Windows always maps from its own
    // directory, so it is loaded by full path like the optional ones.
    BOOL(WINAPI* GradientFill)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG) = nullptr;
    BOOL(WINAPI* AlphaBlend)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION) = nullptr;
    // user32.dll
    BOOL(WINAPI* UpdateLayeredWindow)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD) = nullptr;

    HMODULE dwmLibrary = nullptr;
    HMODULE themeLibrary = nullptr;
    HMODULE imageLibrary = nullptr;
};

// Loads the optional libraries and looks the entry points up. The libraries
// stay loaded for the life of the process.
void LoadSystemApis(SystemApis& apis);

// Loads a library from the system directory by its full path, never from the
// program's own folder, where a planted copy could lie. Null when absent.
HMODULE LoadSystemLibrary(const char* name);

// Full path of a loaded module, empty on failure.
std::string ModulePath(HMODULE module);
