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

// The file's bytes in a buffer of their own (not zero-filled first: a list
// of a million files is tens of megabytes); the size through `size`.
std::unique_ptr<char[]> readWholeFile(const std::string &path, size_t &size)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        throw listFileError(errno);
    struct stat info;
    // A regular file is read straight into its place; anything else (a pipe)
    // grows as it comes.
    size_t capacity = ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) ? size_t(info.st_size) + 1 : 1 << 16;
    std::unique_ptr<char[]> content(new char[capacity]);
    size_t filled = 0;
    int error = 0;
    for (;;) {
        if (filled == capacity) {
            const size_t larger = capacity * 2;
            std::unique_ptr<char[]> grown(new char[larger]);
            std::memcpy(grown.get(), content.get(), filled);
            content = std::move(grown);
            capacity = larger;
        }
        const ssize_t got = ::read(file, content.get() + filled, capacity - filled);
        if (got > 0) {
            filled += size_t(got);
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            error = errno;
            break;
        }
    }
    ::close(file);
    if (error)
        throw listFileError(error);
    size = filled;
    return content;
}

} // namespace

ListFile::ListFile(const std::string &path)
    : m_content(readWholeFile(path, m_size))
{
    const char *const text = m_content.get();
    const size_t size = m_size;
    m_lines.reserve(size_t(std::count(text, text + size, '\n')) + 1);
    // Most lists end their lines with a line feed alone: a carriage return
    // is looked for in every line only when the file has one at all.
    const bool returns = std::memchr(text, '\r', size) != nullptr;
    size_t start = 0;
    while (start < size) {
        const char *feed = static_cast<const char *>(std::memchr(text + start, '\n', size - start));
        const size_t end = feed ? size_t(feed - text) : size;
        // A carriage return ends a line too, alone or before a line feed.
        const char *cr = returns ? static_cast<const char *>(std::memchr(text + start, '\r', end - start)) : nullptr;
        if (cr) {
            const size_t at = size_t(cr - text);
            m_lines.emplace_back(text + start, at - start);
            start = at + 1;
            if (start < size && text[start] == '\n')
                ++start;
            continue;
        }
        m_lines.emplace_back(text + start, end - start);
        start = end + 1;
    }
}

} // namespace brenmark
