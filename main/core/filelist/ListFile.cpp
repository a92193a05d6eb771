#include "main/core/filelist/ListFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
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
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        throw listFileError(errno);
    std::string content;
    struct stat info;
    if (::fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode))
        content.reserve(size_t(info.st_size));
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error)
        throw listFileError(error);
    return content;
}

} // namespace

ListFile::ListFile(const std::string &path)
    : m_content(readWholeFile(path))
{
    const std::string_view text(m_content);
    const size_t size = text.size();
    size_t start = 0;
    for (size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r')
            continue;
        m_lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        m_lines.push_back(text.substr(start));
}

} // namespace brenmark
