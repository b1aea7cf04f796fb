// The toolkit's window classes, registered once by the core.
#pragma once

#include "toolkit/core/Platform.h"
#include "toolkit/portable/options/WindowOptions.h"

constexpr const char* kFrameClass = "qv_KelmarWin";
constexpr const char* kButtonClass = "qv_CorButton";
constexpr const char* kStaticClass = "qv_CorStatic";
constexpr const char* kUserWindowClass = "qv_CorUserWindow";
constexpr const char* kTrackbarClass = "qv_CorTrackbar";
constexpr const char* kEditBoxClass = "qv_CorEditBox";
constexpr const char* kTextWindowClass = "qv_CorvaneTextWin";

void RegisterWindowClasses(HINSTANCE instance);

// The class of a toolkit window with these options.
const char* WindowClassName(WindowClassKind kind);
