// The one place the toolkit's Windows code takes the system headers from.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>

// CreateWindow, MessageBox and SelectFont are the toolkit's own command
// names; the system's are called by their full names (CreateWindowExA,
// MessageBoxA, SelectObject).
#undef CreateWindow
#undef MessageBox
#undef SelectFont

#include "toolkit/portable/options/StyleBits.h"

// The option rules use their own copies of these values; they must agree.
static_assert(StyleBits::kPopup == WS_POPUP && StyleBits::kChild == WS_CHILD, "");
static_assert(StyleBits::kVisible == WS_VISIBLE && StyleBits::kMaximize == WS_MAXIMIZE, "");
static_assert(StyleBits::kClipSiblings == WS_CLIPSIBLINGS && StyleBits::kClipChildren == WS_CLIPCHILDREN, "");
static_assert(StyleBits::kCaption == WS_CAPTION && StyleBits::kBorder == WS_BORDER, "");
static_assert(StyleBits::kDlgFrame == WS_DLGFRAME && StyleBits::kSysMenu == WS_SYSMENU, "");
static_assert(StyleBits::kThickFrame == WS_THICKFRAME, "");
static_assert(StyleBits::kMinimizeBox == WS_MINIMIZEBOX && StyleBits::kMaximizeBox == WS_MAXIMIZEBOX, "");
static_assert(StyleBits::kOverlappedWindow == WS_OVERLAPPEDWINDOW, "");
static_assert(StyleBits::kExToolWindow == WS_EX_TOOLWINDOW && StyleBits::kExWindowEdge == WS_EX_WINDOWEDGE, "");
static_assert(StyleBits::kExClientEdge == WS_EX_CLIENTEDGE && StyleBits::kExStaticEdge == WS_EX_STATICEDGE, "");
static_assert(StyleBits::kExLayered == WS_EX_LAYERED, "");
static_assert(StyleBits::kClassVRedraw == CS_VREDRAW && StyleBits::kClassHRedraw == CS_HREDRAW, "");
static_assert(StyleBits::kClassDblClks == CS_DBLCLKS && StyleBits::kClassDropShadow == CS_DROPSHADOW, "");
