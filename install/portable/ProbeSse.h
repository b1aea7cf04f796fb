// Whether the processor has SSE and SSE2, read with CPUID where the
// processor has that instruction.
#pragma once

#include <cstdint>

// -1 when the features cannot be read (no CPUID, or no leaf 1); otherwise
// bit 0 for SSE and bit 1 for SSE2 (SystemCheckRules.h).
int32_t ProbeSse();
