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

#include <commctrl.h>
// Declarations only: the theme functions are looked up at run time (SystemApis).
#include <uxtheme.h>

#include "toolkit/portable/controls/ControlStyleBits.h"
#include "toolkit/portable/options/StyleBits.h"

// The option rules use their own copies of these values; they must agree.
static_assert(StyleBits::kPopup == WS_POPUP && StyleBits::kChild == WS_CHILD, "");
static_assert(StyleBits::kVisible == WS_VISIBLE && StyleBits::kMaximize == WS_MAXIMIZE, "");
static_assert(StyleBits::kDisabled == WS_DISABLED, "");
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
static_assert(StyleBits::kTabStop == WS_TABSTOP && StyleBits::kGroup == WS_GROUP && StyleBits::kVScroll == WS_VSCROLL, "");
static_assert(StyleBits::kButtonPush == BS_PUSHBUTTON && StyleBits::kButtonCheckBox == BS_CHECKBOX, "");
static_assert(StyleBits::kButtonRadio == BS_RADIOBUTTON && StyleBits::kButtonOwnerDraw == BS_OWNERDRAW, "");
static_assert(StyleBits::kButtonFlat == BS_FLAT && (BS_OWNERDRAW & BS_DEFPUSHBUTTON) == BS_DEFPUSHBUTTON, "");
static_assert(StyleBits::kEditMultiline == ES_MULTILINE && StyleBits::kEditAutoVScroll == ES_AUTOVSCROLL, "");
static_assert(StyleBits::kEditReadOnly == ES_READONLY && StyleBits::kEditWantReturn == ES_WANTRETURN, "");
static_assert(StyleBits::kEditNumber == ES_NUMBER, "");
static_assert(StyleBits::kListNotify == LBS_NOTIFY && StyleBits::kComboDropDownList == CBS_DROPDOWNLIST, "");
static_assert(StyleBits::kScrollHorz == SBS_HORZ && StyleBits::kScrollVert == SBS_VERT, "");
static_assert(StyleBits::kScrollTopAlign == SBS_TOPALIGN && StyleBits::kScrollTopAlign == SBS_LEFTALIGN, "");
static_assert(StyleBits::kScrollBottomAlign == SBS_BOTTOMALIGN && StyleBits::kScrollBottomAlign == SBS_RIGHTALIGN, "");
static_assert(StyleBits::kTrackHorz == TBS_HORZ && StyleBits::kTrackVert == TBS_VERT, "");
static_assert(StyleBits::kTrackTicksTopLeft == TBS_TOP && StyleBits::kTrackTicksTopLeft == TBS_LEFT, "");
static_assert(TBS_BOTTOM == 0 && TBS_RIGHT == 0 && StyleBits::kTrackAutoTicks == TBS_AUTOTICKS, "");
static_assert(StyleBits::kButtonDefPush == BS_DEFPUSHBUTTON && StyleBits::kStaticOwnerDraw == SS_OWNERDRAW, "");
static_assert(ScrollCode::kLineUp == SB_LINEUP && ScrollCode::kLineDown == SB_LINEDOWN, "");
static_assert(ScrollCode::kPageUp == SB_PAGEUP && ScrollCode::kPageDown == SB_PAGEDOWN, "");
static_assert(ScrollCode::kThumbPosition == SB_THUMBPOSITION && ScrollCode::kThumbTrack == SB_THUMBTRACK, "");
static_assert(ScrollCode::kTop == SB_TOP && ScrollCode::kBottom == SB_BOTTOM && ScrollCode::kEndScroll == SB_ENDSCROLL, "");
static_assert(ScrollCode::kEndScroll == TB_ENDTRACK && ScrollCode::kThumbTrack == TB_THUMBTRACK, "");
