// The free-space rule before copying: the install drive must hold the first
// requirement, and, only once it does, the second drive the second one.
// The requirements are archive values in decimal megabytes.
#pragma once

#include <cstdint>
#include <optional>

// A requirement as atoi reads it: optional blanks and sign, then the leading
// decimal digits; no digits gives 0. A missing value (null, a key the
// archive lacks) counts as 0 MB too, and digits beyond the range of a 32-bit
// int stop at its limit instead of atoi's undefined result.
int64_t RequiredMegabytes(const char* value);

// Free megabytes of a drive from the bytes available to the caller,
// truncated; none when the system could not tell.
std::optional<int64_t> FreeMegabytes(std::optional<uint64_t> availableBytes);

// True when both checks pass: check 1 (install drive against r1) first,
// check 2 (second drive against r2) only after it. Free space exactly equal
// to a requirement passes. A drive whose free space the system could not
// tell is not held against the user: its check passes, and copying reports
// any real failure to write there.
bool FreeSpaceSuffices(int64_t r1, std::optional<int64_t> installFree, int64_t r2,
                       std::optional<int64_t> secondFree);
