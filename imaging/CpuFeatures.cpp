#include "CpuFeatures.h"

bool CpuHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    // The detection may run during static initialisation (a benchmark
    // registers kernels then), before the compiler's own CPU probe has run.
    static const bool hasAvx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return hasAvx2;
#else
    return false;
#endif
}
