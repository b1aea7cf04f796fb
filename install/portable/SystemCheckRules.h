// What the installer's two system checks decide, as pure functions of the
// numbers the system reports; the Windows side asks and shows the question.
#pragma once

#include <cstdint>

// ProbeSse's result: -1 when the processor's features cannot be read,
// otherwise bit 0 for SSE and bit 1 for SSE2.
constexpr int32_t kSseUnknown = -1;
constexpr int32_t kSsePresent = 1;
constexpr int32_t kSse2Present = 2;

enum class SseVerdict {
    Supported,     // no question
    Unverified,    // "Installer - SSE2 Support unverified"
    NotSupported,  // "Installer - SSE2 not supported", also with SSE alone
};
SseVerdict JudgeSse(int32_t probe);

// How a GetVersion value names the system in the version warning.
enum class WindowsFamily {
    Accepted,  // 2000 and XP (major 5, NT), Vista and every later one (major 6)
    Win32s,    // "Windows 3.1 supporting Win32"
    Win9x,     // "Windows 95, Windows 98, or Windows Me"
    Unknown,   // "an unknown version of Windows"
    NT,        // "Windows NT"
};
WindowsFamily JudgeWindowsVersion(uint32_t version);
