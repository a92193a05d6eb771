#include "main/core/filelist/ListFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

ListFileTooLong tooLong(const std::string &path, std::size_t limit)
{
    return ListFileTooLong("Список файлов «" + path + "» длиннее " + std::to_string(limit >> 20)
                           + " МиБ: это не список путей или источник без конца; файлы не добавлены.");
}

std::vector<std::string_view> splitLines(const char *text, size_t size)
{
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

} // namespace

ListFile::ListFile(const std::string &path)
    : m_path(path)
    , m_descriptor(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC))
{
    if (m_descriptor < 0)
        throw listFileError(errno);
    if (::fstat(m_descriptor, &m_status) != 0) {
        const int error = errno;
        ::close(m_descriptor);
        throw listFileError(error);
    }
}

ListFile::~ListFile()
{
    ::close(m_descriptor);
}

std::vector<std::string_view> ListFile::readLines(std::string &storage, std::size_t limit)
{
    const size_t start = storage.size();
    if (isRegular() && static_cast<unsigned long long>(m_status.st_size) > limit)
        throw tooLong(m_path, limit);
    // A regular file is read straight into its place (one byte more shows
    // its end); anything else (a pipe) grows as it comes.
    const size_t expected = isRegular() ? size_t(m_status.st_size) + 1 : std::min(size_t(1) << 16, limit + 1);
    size_t filled = start;
    int error = 0;
    bool overLimit = false;
    try {
        storage.resize(start + expected);
        for (;;) {
            if (filled == storage.size()) {
                if (filled - start > limit) {
                    overLimit = true;
                    break;
                }
                storage.resize(start + std::min(2 * (storage.size() - start), limit + 1));
            }
            const ssize_t got = ::read(m_descriptor, &storage[filled], storage.size() - filled);
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
        storage.resize(start);
        storage.shrink_to_fit();
        throw;
    }
    storage.resize(error || overLimit ? start : filled);
    // Hundreds of MiB read from a source that never ended are not kept.
    if (error || overLimit)
        storage.shrink_to_fit();
    if (overLimit)
        throw tooLong(m_path, limit);
    if (error)
        throw listFileError(error);
    return splitLines(storage.data() + start, storage.size() - start);
}

std::vector<std::string_view> readListLines(const std::string &path, std::string &storage)
{
    return ListFile(path).readLines(storage);
}

} // namespace brenmark
