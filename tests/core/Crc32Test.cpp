#include "CRCunit/Crc32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>

using namespace brenmark;

namespace {

std::uint32_t checksum(const std::string &text)
{
    return ~Crc32Update(0xFFFFFFFFu, text.data(), text.size());
}

std::vector<Crc32Kernel> availableKernels()
{
    std::vector<Crc32Kernel> kernels;
    for (Crc32Kernel kernel : {Crc32Kernel::Bytewise, Crc32Kernel::Slicing16, Crc32Kernel::CarryLess})
        if (crc32KernelAvailable(kernel))
            kernels.push_back(kernel);
    return kernels;
}

class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        char pattern[] = "/tmp/brenmark-crc-XXXXXX";
        m_path = ::mkdtemp(pattern);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void writeFile(const std::string &path, const std::string &contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

} // namespace

TEST(Crc32, TableIsTheReflectedIeeeTable)
{
    const auto &table = Crc32Table();
    EXPECT_EQ(table[0], 0x00000000u);
    EXPECT_EQ(table[1], 0x77073096u);
    EXPECT_EQ(table[128], 0xEDB88320u);
    EXPECT_EQ(table[255], 0x2D02EF8Du);
}

TEST(Crc32, KnownVectors)
{
    const struct {
        std::string text;
        std::uint32_t crc;
    } cases[] = {
        {"", 0x00000000u},
        {"a", 0xE8B7BE43u},
        {"123456789", 0xCBF43926u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
        {std::string(32, '\0'), 0x190A55ADu},
        {std::string(32, '\xFF'), 0xFF6CAB0Bu},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(checksum(c.text), c.crc) << '"' << c.text << '"';
        for (Crc32Kernel kernel : availableKernels())
            EXPECT_EQ(~crc32UpdateWith(kernel, 0xFFFFFFFFu, c.text.data(), c.text.size()), c.crc)
                << static_cast<int>(kernel) << " \"" << c.text << '"';
    }
}

TEST(Crc32, NoBytesLeavesTheRegisterUnchanged)
{
    EXPECT_EQ(Crc32Update(0x12345678u, nullptr, 10), 0x12345678u);
    EXPECT_EQ(Crc32Update(0x12345678u, "abc", 0), 0x12345678u);
    EXPECT_EQ(Crc32UpdateFast(0x12345678u, nullptr, 10), 0x12345678u);
}

TEST(Crc32, FastKernelsMatchTheReferenceAtEveryAlignmentAndLength)
{
    std::mt19937 random(20261208);
    std::vector<std::uint8_t> data(3 * crc32FileBlockSize + 64);
    for (auto &byte : data)
        byte = static_cast<std::uint8_t>(random());

    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length <= 300; ++length)
        lengths.push_back(length);
    for (std::size_t length : {511, 512, 513, 1023, 4096, 4111, 65535, 65536, 65537, 3 * 65536 + 1})
        lengths.push_back(length);

    for (Crc32Kernel kernel : availableKernels()) {
        for (std::size_t offset = 0; offset < 16; ++offset) {
            for (std::size_t length : lengths) {
                const std::uint32_t start = static_cast<std::uint32_t>(random());
                const std::uint8_t *bytes = data.data() + offset;
                ASSERT_EQ(crc32UpdateWith(kernel, start, bytes, length), Crc32Update(start, bytes, length))
                    << "kernel " << static_cast<int>(kernel) << " offset " << offset << " length " << length;
            }
        }
    }
    EXPECT_EQ(Crc32UpdateFast(0xFFFFFFFFu, data.data(), data.size()),
              Crc32Update(0xFFFFFFFFu, data.data(), data.size()));
}

TEST(Crc32, ProcessorKernelIsChosenWhenPresent)
{
    EXPECT_TRUE(crc32KernelAvailable(Crc32Kernel::Slicing16));
    if (crc32KernelAvailable(Crc32Kernel::CarryLess))
        EXPECT_EQ(crc32FastestKernel(), Crc32Kernel::CarryLess);
    else
        EXPECT_EQ(crc32FastestKernel(), Crc32Kernel::Slicing16);
}

TEST(Crc32, FileChecksumOverSeveralBlocks)
{
    TemporaryFolder folder;
    std::mt19937 random(7);
    std::string contents(2 * crc32FileBlockSize + 12345, '\0');
    for (char &c : contents)
        c = static_cast<char>(random());
    const struct {
        std::string name;
        std::string contents;
    } files[] = {{"empty", ""}, {"digits", "123456789"}, {"blocks", contents}};
    for (const auto &f : files) {
        writeFile(folder.file(f.name), f.contents);
        EXPECT_EQ(FileCrc32(folder.file(f.name)), checksum(f.contents)) << f.name;
    }
    EXPECT_EQ(formatCrc32(FileCrc32(folder.file("digits"))), "CBF43926");
    EXPECT_EQ(formatCrc32(FileCrc32(folder.file("empty"))), "00000000");
}

TEST(Crc32, FormatIsEightUpperCaseDigits)
{
    EXPECT_EQ(formatCrc32(0), "00000000");
    EXPECT_EQ(formatCrc32(0xABCu), "00000ABC");
    EXPECT_EQ(formatCrc32(0xDEADBEEFu), "DEADBEEF");
}

TEST(Crc32, UnreadableFilesRaiseTheUsersMessage)
{
    TemporaryFolder folder;
    const std::string missing = folder.file("gone.bin");
    try {
        FileCrc32(missing);
        FAIL() << "no error for a missing file";
    } catch (const std::runtime_error &error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    // Nothing but a regular file is read: a pipe without a writer would
    // block for ever, /dev/zero never ends.
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    const struct {
        std::string path;
        const char *kind;
    } refused[] = {
        {folder.file("pipe"), "именованный канал"},
        {"/dev/zero", "символьное устройство"},
        {folder.file(""), "папка"},
    };
    for (const auto &r : refused) {
        try {
            FileCrc32(r.path);
            ADD_FAILURE() << "read " << r.path;
        } catch (const std::runtime_error &error) {
            EXPECT_EQ(std::string(error.what()), "«" + r.path + "» — " + r.kind
                          + ", а не обычный файл: читается содержимое только обычных файлов.");
        }
    }
}
