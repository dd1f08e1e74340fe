#pragma once

namespace quorvane {

// Code some libraries of the interface run at start-up leaves the upper halves of the
// AVX registers in use. Until a vzeroupper, every SSE instruction of ours then pays
// for a state transition: the numeric loops ran eight times slower inside the
// program than in the command-line tool. Long computations call this first; it
// costs a cycle.
inline void ClearUpperVectorState() {
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx")) {
        __asm__ volatile("vzeroupper");
    }
#endif
}

} // namespace quorvane
