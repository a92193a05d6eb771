#pragma once

// Kernels behind Crc32UpdateFast. Each takes and returns the raw CRC register
// and needs a non-null buffer of `count` bytes (count may be 0).

#include <cstddef>
#include <cstdint>

namespace brenmark {

std::uint32_t crc32Slicing16(std::uint32_t crc, const std::uint8_t *bytes, std::size_t count);

// True when the processor has PCLMULQDQ (asked once, at run time).
bool crc32CarryLessAvailable();
std::uint32_t crc32CarryLess(std::uint32_t crc, const std::uint8_t *bytes, std::size_t count);

} // namespace brenmark
