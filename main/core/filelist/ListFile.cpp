#include "main/core/filelist/ListFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace brenmark {
namespace {

std::runtime_error listFileError(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return std::runtime_error("File not found");
    if (error == EACCES || error == EPERM)
        return std::runtime_error("File access denied");
    return std::runtime_error("I/O error " + std::to_string(error));
}

// Appends the file's bytes to `storage`.
void readWholeFile(const std::string &path, std::string &storage)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        throw listFileError(errno);
    struct stat info;
    // A regular file is read straight into its place; anything else (a pipe)
    // grows as it comes.
    const size_t start = storage.size();
    const size_t expected = ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) ? size_t(info.st_size) + 1 : 1 << 16;
    size_t filled = start;
    int error = 0;
    try {
        storage.resize(start + expected);
        for (;;) {
            if (filled == storage.size())
                storage.resize(start + 2 * (storage.size() - start));
            const ssize_t got = ::read(file, &storage[filled], storage.size() - filled);
            if (got > 0) {
                filled += size_t(got);
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                error = errno;
                break;
            }
        }
    } catch (...) {
        ::close(file);
        storage.resize(start);
        throw;
    }
    ::close(file);
    storage.resize(error ? start : filled);
    if (error)
        throw listFileError(error);
}

} // namespace

std::vector<std::string_view> readListLines(const std::string &path, std::string &storage)
{
    const size_t start = storage.size();
    readWholeFile(path, storage);
    const char *const text = storage.data() + start;
    const size_t size = storage.size() - start;
    std::vector<std::string_view> lines;
    lines.reserve(size_t(std::count(text, text + size, '\n')) + 1);
    // Most lists end their lines with a line feed alone: a carriage return
    // is looked for in every line only when the file has one at all.
    const bool returns = std::memchr(text, '\r', size) != nullptr;
    size_t begin = 0;
    while (begin < size) {
        const char *feed = static_cast<const char *>(std::memchr(text + begin, '\n', size - begin));
        const size_t end = feed ? size_t(feed - text) : size;
        // A carriage return ends a line too, alone or before a line feed.
        const char *cr = returns ? static_cast<const char *>(std::memchr(text + begin, '\r', end - begin)) : nullptr;
        if (cr) {
            const size_t at = size_t(cr - text);
            lines.emplace_back(text + begin, at - begin);
            begin = at + 1;
            if (begin < size && text[begin] == '\n')
                ++begin;
            continue;
        }
        lines.emplace_back(text + begin, end - begin);
        begin = end + 1;
    }
    return lines;
}

} // namespace brenmark
