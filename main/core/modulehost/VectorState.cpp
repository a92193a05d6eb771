#include "main/core/modulehost/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace brenmark {

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void zeroUpperHalves()
{
    _mm256_zeroupper();
}

bool hasAvx()
{
    // libgcc counts AVX only when the system also saves its registers.
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return available;
}

} // namespace

void clearUpperVectorState()
{
    if (hasAvx())
        zeroUpperHalves();
}

#else

void clearUpperVectorState()
{
}

#endif

} // namespace brenmark
