// The Windows style, extended-style and class-style values that option
// strings produce. Kept here as plain numbers so the option rules build and
// are tested without <windows.h>; the Windows build checks each one against
// the system headers (Platform.h).
#pragma once

#include <cstdint>

namespace StyleBits {

constexpr uint32_t kPopup = 0x80000000u;
constexpr uint32_t kChild = 0x40000000u;
constexpr uint32_t kVisible = 0x10000000u;
constexpr uint32_t kDisabled = 0x08000000u;
constexpr uint32_t kClipSiblings = 0x04000000u;
constexpr uint32_t kClipChildren = 0x02000000u;
constexpr uint32_t kMaximize = 0x01000000u;
constexpr uint32_t kCaption = 0x00C00000u;
constexpr uint32_t kBorder = 0x00800000u;
constexpr uint32_t kDlgFrame = 0x00400000u;
constexpr uint32_t kSysMenu = 0x00080000u;
constexpr uint32_t kThickFrame = 0x00040000u;
constexpr uint32_t kMinimizeBox = 0x00020000u;
constexpr uint32_t kMaximizeBox = 0x00010000u;
constexpr uint32_t kOverlappedWindow =
    kCaption | kSysMenu | kThickFrame | kMinimizeBox | kMaximizeBox;

constexpr uint32_t kExToolWindow = 0x00000080u;
constexpr uint32_t kExWindowEdge = 0x00000100u;
constexpr uint32_t kExClientEdge = 0x00000200u;
constexpr uint32_t kExStaticEdge = 0x00020000u;
constexpr uint32_t kExLayered = 0x00080000u;

constexpr uint32_t kClassVRedraw = 0x0001u;
constexpr uint32_t kClassHRedraw = 0x0002u;
constexpr uint32_t kClassDblClks = 0x0008u;
constexpr uint32_t kClassDropShadow = 0x00020000u;

}  // namespace StyleBits
