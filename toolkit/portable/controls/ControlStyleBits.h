// The style values and scroll notification codes of the system's control
// classes, kept as plain numbers so the control rules build and are tested
// without <windows.h>; the Windows build checks each one against the system
// headers (Platform.h).
#pragma once

#include <cstdint>

namespace StyleBits {

constexpr uint32_t kTabStop = 0x00010000u;
constexpr uint32_t kGroup = 0x00020000u;
constexpr uint32_t kVScroll = 0x00200000u;

constexpr uint32_t kButtonPush = 0x0u;
constexpr uint32_t kButtonCheckBox = 0x2u;
constexpr uint32_t kButtonRadio = 0x4u;
constexpr uint32_t kButtonOwnerDraw = 0xBu;
constexpr uint32_t kButtonDefPush = 0x1u;
constexpr uint32_t kButtonFlat = 0x8000u;

constexpr uint32_t kEditMultiline = 0x0004u;
constexpr uint32_t kEditAutoVScroll = 0x0040u;
constexpr uint32_t kEditReadOnly = 0x0800u;
constexpr uint32_t kEditWantReturn = 0x1000u;
constexpr uint32_t kEditNumber = 0x2000u;

constexpr uint32_t kStaticOwnerDraw = 0x000Du;

constexpr uint32_t kListNotify = 0x0001u;
constexpr uint32_t kComboDropDownList = 0x0003u;

constexpr uint32_t kScrollHorz = 0x0u;
constexpr uint32_t kScrollVert = 0x1u;
constexpr uint32_t kScrollTopAlign = 0x2u;  // also the left alignment of a vertical bar
constexpr uint32_t kScrollBottomAlign = 0x4u;  // also the right alignment

constexpr uint32_t kTrackAutoTicks = 0x1u;
constexpr uint32_t kTrackHorz = 0x0u;
constexpr uint32_t kTrackVert = 0x2u;
constexpr uint32_t kTrackTicksTopLeft = 0x4u;  // ticks below or right are the class default, 0

}  // namespace StyleBits

// Low word of wParam of WM_HSCROLL and WM_VSCROLL; trackbars send the same
// numbers under their own names.
namespace ScrollCode {

constexpr int kLineUp = 0;
constexpr int kLineDown = 1;
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kTop = 6;
constexpr int kBottom = 7;
constexpr int kEndScroll = 8;

}  // namespace ScrollCode
