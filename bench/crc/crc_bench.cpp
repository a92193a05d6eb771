// Throughput of the file checksum against zlib's crc32() over the same
// page-cached file, in one run. Usage: crc_bench [file [size-in-MiB]]
// The file is created (pseudo-random bytes) when missing or of another size,
// and removed at the end when the benchmark created it.

#include "CRCunit/Crc32.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace brenmark;

namespace {

using Update = std::function<std::uint32_t(std::uint32_t, const std::uint8_t *, std::size_t)>;

void createFile(const std::string &path, std::uint64_t size)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path);
    std::mt19937_64 random(42);
    std::vector<std::uint64_t> block(1 << 17);
    for (std::uint64_t written = 0; written < size; written += block.size() * 8) {
        for (auto &word : block)
            word = random();
        const std::size_t bytes = static_cast<std::size_t>(std::min<std::uint64_t>(block.size() * 8, size - written));
        if (std::fwrite(block.data(), 1, bytes, file) != bytes)
            throw std::runtime_error("cannot write " + path);
    }
    std::fclose(file);
}

// The same read loop as FileCrc32, with the update step exchanged. Returns the
// final register (not complemented: zlib's crc32() complements itself).
std::uint32_t readAndChecksum(const std::string &path, std::uint32_t start, const Update &update)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY);
    if (descriptor < 0)
        throw std::runtime_error("cannot open " + path);
    const auto buffer = std::make_unique<std::uint8_t[]>(crc32FileBlockSize);
    std::uint32_t crc = start;
    ssize_t got;
    while ((got = ::read(descriptor, buffer.get(), crc32FileBlockSize)) > 0)
        crc = update(crc, buffer.get(), static_cast<std::size_t>(got));
    ::close(descriptor);
    return crc;
}

struct Method
{
    std::string name;
    std::function<std::uint32_t()> checksum;
    int runs;
};

} // namespace

int main(int argc, char *argv[])
{
    const std::string path = argc > 1 ? argv[1]
                                      : (std::filesystem::temp_directory_path() / "brenmark-crc-bench.bin").string();
    const std::uint64_t size = (argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1024) << 20;

    bool created = false;
    std::error_code error;
    if (std::filesystem::file_size(path, error) != size || error) {
        createFile(path, size);
        created = true;
    }
    // Bring the whole file into the page cache before any timing.
    readAndChecksum(path, 0, [](std::uint32_t crc, const std::uint8_t *, std::size_t) { return crc; });

    std::vector<Method> methods = {
        {"zlib crc32()", [&] {
             return readAndChecksum(path, 0, [](std::uint32_t crc, const std::uint8_t *bytes, std::size_t count) {
                 return static_cast<std::uint32_t>(::crc32(crc, bytes, static_cast<uInt>(count)));
             });
         }, 5},
        {"FileCrc32 (fastest kernel)", [&] { return FileCrc32(path); }, 5},
        {"slicing-by-16", [&] {
             return ~readAndChecksum(path, 0xFFFFFFFFu, [](std::uint32_t crc, const std::uint8_t *bytes, std::size_t count) {
                 return crc32UpdateWith(Crc32Kernel::Slicing16, crc, bytes, count);
             });
         }, 3},
        {"byte-wise reference", [&] {
             return ~readAndChecksum(path, 0xFFFFFFFFu, [](std::uint32_t crc, const std::uint8_t *bytes, std::size_t count) {
                 return Crc32Update(crc, bytes, count);
             });
         }, 1},
    };

    const char *kernelNames[] = {"byte-wise", "slicing-by-16", "carry-less (PCLMULQDQ)"};
    std::printf("file: %llu MiB, page-cached; fastest kernel here: %s\n",
                static_cast<unsigned long long>(size >> 20), kernelNames[static_cast<int>(crc32FastestKernel())]);
    std::printf("%-28s %10s %12s  %s\n", "method", "best s", "MiB/s", "CRC");

    std::uint32_t expected = 0;
    bool mismatch = false;
    double zlibSeconds = 0;
    for (std::size_t m = 0; m < methods.size(); ++m) {
        double best = 1e30;
        std::uint32_t crc = 0;
        for (int run = 0; run < methods[m].runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            crc = methods[m].checksum();
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            best = std::min(best, elapsed.count());
        }
        if (m == 0) {
            expected = crc;
            zlibSeconds = best;
        }
        mismatch |= crc != expected;
        std::printf("%-28s %10.3f %12.0f  %s  (%.2fx zlib)\n", methods[m].name.c_str(), best,
                    static_cast<double>(size >> 20) / best, formatCrc32(crc).c_str(), zlibSeconds / best);
    }
    // The kernels alone over a buffer in memory: how far each is from the read loop's bound.
    std::vector<std::uint8_t> memory(256u << 20);
    std::mt19937_64 random(7);
    for (std::size_t i = 0; i < memory.size(); i += 8) {
        const std::uint64_t word = random();
        std::memcpy(memory.data() + i, &word, 8);
    }
    struct Kernel
    {
        const char *name;
        std::function<std::uint32_t(const std::uint8_t *, std::size_t)> run;
    };
    const std::vector<Kernel> kernels = {
        {"zlib crc32()", [](const std::uint8_t *bytes, std::size_t count) {
             return static_cast<std::uint32_t>(::crc32(0, bytes, static_cast<uInt>(count)));
         }},
        {"Crc32UpdateFast", [](const std::uint8_t *bytes, std::size_t count) {
             return ~Crc32UpdateFast(0xFFFFFFFFu, bytes, count);
         }},
        {"slicing-by-16", [](const std::uint8_t *bytes, std::size_t count) {
             return ~crc32UpdateWith(Crc32Kernel::Slicing16, 0xFFFFFFFFu, bytes, count);
         }},
    };
    std::printf("\nin memory, 256 MiB buffer:\n");
    std::uint32_t memoryExpected = 0;
    for (std::size_t k = 0; k < kernels.size(); ++k) {
        double best = 1e30;
        std::uint32_t crc = 0;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            crc = kernels[k].run(memory.data(), memory.size());
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            best = std::min(best, elapsed.count());
        }
        if (k == 0)
            memoryExpected = crc;
        mismatch |= crc != memoryExpected;
        std::printf("%-28s %10.3f %12.0f  %s\n", kernels[k].name, best, 256.0 / best, formatCrc32(crc).c_str());
    }

    if (created)
        std::filesystem::remove(path);
    if (mismatch) {
        std::printf("CHECKSUMS DIFFER\n");
        return 1;
    }
    return 0;
}
