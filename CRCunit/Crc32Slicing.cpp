#include "CRCunit/Crc32.h"
#include "CRCunit/Crc32Kernels.h"

#include <bit>
#include <cstring>

namespace brenmark {

namespace {

// Table k gives the register contribution of a byte followed by k zero bytes,
// so sixteen bytes are folded in with sixteen independent lookups.
struct SlicingTables
{
    std::uint32_t entry[16][256];

    SlicingTables()
    {
        const auto &base = Crc32Table();
        for (int i = 0; i < 256; ++i)
            entry[0][i] = base[i];
        for (int k = 1; k < 16; ++k)
            for (int i = 0; i < 256; ++i)
                entry[k][i] = (entry[k - 1][i] >> 8) ^ base[entry[k - 1][i] & 0xFFu];
    }
};

const SlicingTables &slicingTables()
{
    static const SlicingTables tables;
    return tables;
}

std::uint32_t loadLittle32(const std::uint8_t *bytes)
{
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    if constexpr (std::endian::native == std::endian::big)
        value = __builtin_bswap32(value);
    return value;
}

} // namespace

std::uint32_t crc32Slicing16(std::uint32_t crc, const std::uint8_t *bytes, std::size_t count)
{
    const auto &t = slicingTables().entry;
    while (count >= 16) {
        const std::uint32_t a = loadLittle32(bytes) ^ crc;
        const std::uint32_t b = loadLittle32(bytes + 4);
        const std::uint32_t c = loadLittle32(bytes + 8);
        const std::uint32_t d = loadLittle32(bytes + 12);
        crc = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24]
            ^ t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24]
            ^ t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24]
            ^ t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
        bytes += 16;
        count -= 16;
    }
    return Crc32Update(crc, bytes, count);
}

} // namespace brenmark
