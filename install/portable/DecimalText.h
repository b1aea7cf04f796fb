// Numbers the archive gives as decimal text.
#pragma once

#include <cstdint>

// The value as atoi reads it: optional blanks and sign, then the leading
// decimal digits; no digits, or no text at all, gives 0. Digits beyond the
// range of a 32-bit int stop at its limit instead of atoi's undefined result.
int32_t ParseLikeAtoi(const char* text);
