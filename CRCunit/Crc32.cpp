#include "CRCunit/Crc32.h"

#include "CRCunit/Crc32Kernels.h"
#include "CRCunit/RegularFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {

namespace {

constexpr std::uint32_t crc32Polynomial = 0xEDB88320u;

constexpr std::array<std::uint32_t, 256> buildTable()
{
    std::array<std::uint32_t, 256> table {};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t entry = i;
        for (int round = 0; round < 8; ++round)
            entry = (entry & 1u) ? (entry >> 1) ^ crc32Polynomial : entry >> 1;
        table[i] = entry;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> crc32Table = buildTable();

using KernelFunction = std::uint32_t (*)(std::uint32_t, const std::uint8_t *, std::size_t);

KernelFunction kernelFunction(Crc32Kernel kernel)
{
    switch (kernel) {
    case Crc32Kernel::Bytewise:
        return [](std::uint32_t crc, const std::uint8_t *bytes, std::size_t count) {
            return Crc32Update(crc, bytes, count);
        };
    case Crc32Kernel::Slicing16:
        return crc32Slicing16;
    case Crc32Kernel::CarryLess:
        return crc32CarryLessAvailable() ? crc32CarryLess : nullptr;
    }
    return nullptr;
}

std::string systemReason(int error)
{
    return std::strerror(error);
}

} // namespace

const std::array<std::uint32_t, 256> &Crc32Table()
{
    return crc32Table;
}

std::uint32_t Crc32Update(std::uint32_t crc, const void *bytes, std::size_t count)
{
    if (!bytes || count == 0)
        return crc;
    const auto *byte = static_cast<const std::uint8_t *>(bytes);
    for (std::size_t i = 0; i < count; ++i)
        crc = (crc >> 8) ^ crc32Table[(crc ^ byte[i]) & 0xFFu];
    return crc;
}

bool crc32KernelAvailable(Crc32Kernel kernel)
{
    return kernelFunction(kernel) != nullptr;
}

Crc32Kernel crc32FastestKernel()
{
    static const Crc32Kernel fastest =
        crc32CarryLessAvailable() ? Crc32Kernel::CarryLess : Crc32Kernel::Slicing16;
    return fastest;
}

std::uint32_t crc32UpdateWith(Crc32Kernel kernel, std::uint32_t crc, const void *bytes, std::size_t count)
{
    if (!bytes || count == 0)
        return crc;
    const KernelFunction function = kernelFunction(kernel);
    if (!function)
        throw std::logic_error("CRC-32 kernel not available on this processor");
    return function(crc, static_cast<const std::uint8_t *>(bytes), count);
}

std::uint32_t Crc32UpdateFast(std::uint32_t crc, const void *bytes, std::size_t count)
{
    static const KernelFunction fastest = kernelFunction(crc32FastestKernel());
    if (!bytes || count == 0)
        return crc;
    return fastest(crc, static_cast<const std::uint8_t *>(bytes), count);
}

std::uint32_t FileCrc32(const std::string &path)
{
    struct stat status {};
    const int descriptor = openRegularFile(path, status);
    const auto buffer = std::make_unique<std::uint8_t[]>(crc32FileBlockSize);
    std::uint32_t crc = 0xFFFFFFFFu;
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer.get(), crc32FileBlockSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(descriptor);
            throw std::runtime_error("Read error on file \"" + path + "\". " + systemReason(error));
        }
        if (got == 0)
            break;
        crc = Crc32UpdateFast(crc, buffer.get(), static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return ~crc;
}

std::string formatCrc32(std::uint32_t crc)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
    return text;
}

} // namespace brenmark
