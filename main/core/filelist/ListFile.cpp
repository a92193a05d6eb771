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

std::string readWholeFile(const std::string &path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        throw listFileError(errno);
    struct stat info;
    // A regular file is read straight into its place; anything else (a pipe)
    // grows as it comes.
    size_t expected = ::fstat(file, &info) == 0 && S_ISREG(info.st_mode) ? size_t(info.st_size) : 0;
    std::string content(expected + 1, '\0');
    size_t filled = 0;
    int error = 0;
    for (;;) {
        if (filled == content.size())
            content.resize(content.size() * 2 + (1 << 16));
        const ssize_t got = ::read(file, content.data() + filled, content.size() - filled);
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
    content.resize(filled);
    return content;
}

} // namespace

ListFile::ListFile(const std::string &path)
    : m_content(readWholeFile(path))
{
    const char *const text = m_content.data();
    const size_t size = m_content.size();
    m_lines.reserve(size_t(std::count(m_content.begin(), m_content.end(), '\n')) + 1);
    size_t start = 0;
    while (start < size) {
        const char *feed = static_cast<const char *>(std::memchr(text + start, '\n', size - start));
        const size_t end = feed ? size_t(feed - text) : size;
        // A carriage return ends a line too, alone or before a line feed.
        if (const char *cr = static_cast<const char *>(std::memchr(text + start, '\r', end - start))) {
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
