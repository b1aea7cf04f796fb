#include "install/portable/ProbeSse.h"

#include <cpuid.h>

#include "install/portable/SystemCheckRules.h"

namespace {

constexpr unsigned kIdFlag = 1u << 21;
constexpr unsigned kEdxSse = 1u << 25;
constexpr unsigned kEdxSse2 = 1u << 26;

// A processor has CPUID when the ID flag of its flags register can be
// toggled. Every x86-64 processor has it.
bool HasCpuid() {
#if defined(__x86_64__)
    return true;
#elif defined(__i386__)
    unsigned before = 0, after = 0;
    __asm__ volatile(
        "pushfl\n\t"
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl %2, %1\n\t"
        "pushl %1\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %1\n\t"
        "popfl\n\t"
        : "=&r"(before), "=&r"(after)
        : "ir"(kIdFlag)
        : "cc");
    return ((before ^ after) & kIdFlag) != 0;
#else
    return false;
#endif
}

}  // namespace

int32_t ProbeSse() {
    if (!HasCpuid())
        return kSseUnknown;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(0, eax, ebx, ecx, edx);
    if (eax == 0)
        return kSseUnknown;
    __cpuid(1, eax, ebx, ecx, edx);
    return ((edx & kEdxSse2) ? kSse2Present : 0) | ((edx & kEdxSse) ? kSsePresent : 0);
}
