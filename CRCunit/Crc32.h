#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace brenmark {

// The standard reflected CRC-32 (IEEE 802.3, zlib, PNG), polynomial 0xEDB88320.
// All update functions work on the raw register: start from 0xFFFFFFFF and
// complement the final value to get the checksum.

// The 256-entry table, built once before any checksum is computed.
const std::array<std::uint32_t, 256> &Crc32Table();

// The reference definition: one table lookup per byte. A null buffer or a
// zero count returns `crc` unchanged.
std::uint32_t Crc32Update(std::uint32_t crc, const void *bytes, std::size_t count);

// The same result as Crc32Update for every input, computed by the fastest
// kernel this processor offers (chosen once, at first use).
std::uint32_t Crc32UpdateFast(std::uint32_t crc, const void *bytes, std::size_t count);

enum class Crc32Kernel {
    Bytewise,    // the reference
    Slicing16,   // sixteen tables derived from the reference table
    CarryLess,   // PCLMULQDQ folding, x86 processors that have it
};

bool crc32KernelAvailable(Crc32Kernel kernel);
// The kernel Crc32UpdateFast uses.
Crc32Kernel crc32FastestKernel();
// Runs one particular kernel; the kernel must be available.
std::uint32_t crc32UpdateWith(Crc32Kernel kernel, std::uint32_t crc, const void *bytes, std::size_t count);

// Block size of FileCrc32's reads, in bytes.
inline constexpr std::size_t crc32FileBlockSize = 65536;

// CRC-32 of a whole file's contents. `path` is the file name's bytes as the
// file system holds them. Throws std::runtime_error with the user's message
// when the file cannot be opened or read, or is not a regular file (a pipe
// or a device is never read: see openRegularFile).
std::uint32_t FileCrc32(const std::string &path);

// Eight upper-case hexadecimal digits with leading zeros ("CBF43926").
std::string formatCrc32(std::uint32_t crc);

} // namespace brenmark
