#include "CRCunit/Crc32Kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define BRENMARK_CRC32_CARRYLESS 1
#endif

namespace brenmark {

#ifdef BRENMARK_CRC32_CARRYLESS

namespace {

// x^exponent modulo the CRC-32 polynomial, bit-reflected and shifted left by
// one: the form in which a 64 x 33-bit carry-less product of reflected data
// lands on the register's bit positions.
constexpr std::uint64_t foldConstant(int exponent)
{
    std::uint64_t remainder = 1;
    for (int i = 0; i < exponent; ++i) {
        remainder <<= 1;
        if (remainder & 0x100000000ull)
            remainder ^= 0x104C11DB7ull;
    }
    std::uint64_t reflected = 0;
    for (int bit = 0; bit < 32; ++bit)
        if (remainder & (1ull << bit))
            reflected |= 1ull << (31 - bit);
    return reflected << 1;
}

// Moving a 128-bit lane forward by D bits multiplies its first (higher) half
// by x^(D+32) and its second half by x^(D-32).
constexpr std::uint64_t fold512High = foldConstant(512 + 32);
constexpr std::uint64_t fold512Low = foldConstant(512 - 32);
constexpr std::uint64_t fold128High = foldConstant(128 + 32);
constexpr std::uint64_t fold128Low = foldConstant(128 - 32);

__attribute__((target("sse2,pclmul"))) inline __m128i fold(__m128i lane, __m128i constants, __m128i next)
{
    const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x00);
    const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

__attribute__((target("sse2,pclmul"))) inline __m128i load(const std::uint8_t *bytes)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes));
}

} // namespace

bool crc32CarryLessAvailable()
{
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
    }();
    return available;
}

__attribute__((target("sse2,pclmul")))
std::uint32_t crc32CarryLess(std::uint32_t crc, const std::uint8_t *bytes, std::size_t count)
{
    if (count < 64)
        return crc32Slicing16(crc, bytes, count);

    // Starting from register value crc equals starting from zero with crc
    // folded into the first four bytes.
    __m128i x0 = _mm_xor_si128(load(bytes), _mm_cvtsi32_si128(static_cast<int>(crc)));
    __m128i x1 = load(bytes + 16);
    __m128i x2 = load(bytes + 32);
    __m128i x3 = load(bytes + 48);
    bytes += 64;
    count -= 64;

    const __m128i by512 = _mm_set_epi64x(static_cast<long long>(fold512Low), static_cast<long long>(fold512High));
    while (count >= 64) {
        x0 = fold(x0, by512, load(bytes));
        x1 = fold(x1, by512, load(bytes + 16));
        x2 = fold(x2, by512, load(bytes + 32));
        x3 = fold(x3, by512, load(bytes + 48));
        bytes += 64;
        count -= 64;
    }

    const __m128i by128 = _mm_set_epi64x(static_cast<long long>(fold128Low), static_cast<long long>(fold128High));
    __m128i x = fold(x0, by128, x1);
    x = fold(x, by128, x2);
    x = fold(x, by128, x3);
    while (count >= 16) {
        x = fold(x, by128, load(bytes));
        bytes += 16;
        count -= 16;
    }

    // The remaining lane is a 16-byte message whose CRC from zero is the
    // register; the tail continues from there.
    alignas(16) std::uint8_t lane[16];
    _mm_store_si128(reinterpret_cast<__m128i *>(lane), x);
    const std::uint32_t folded = crc32Slicing16(0, lane, sizeof lane);
    return crc32Slicing16(folded, bytes, count);
}

#else

bool crc32CarryLessAvailable()
{
    return false;
}

std::uint32_t crc32CarryLess(std::uint32_t crc, const std::uint8_t *bytes, std::size_t count)
{
    return crc32Slicing16(crc, bytes, count);
}

#endif

} // namespace brenmark
