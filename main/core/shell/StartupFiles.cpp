#include "main/core/shell/StartupFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {

namespace {

std::string errorText(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(error);
    }
}

[[noreturn]] void fail(int error, const std::string &path)
{
    throw StartupError(errorText(error) + ": " + path);
}

} // namespace

void ensureTemplatesDirectory(const QString &programDir)
{
    const QString path = programDir + QStringLiteral("Templates");
    if (QFileInfo(path).isDir())
        return;
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0777) != 0 && !(errno == EEXIST && QFileInfo(path).isDir()))
        fail(errno, native.toStdString());
}

bool exitOnFinalFor(const std::string &firstArgument)
{
    return !firstArgument.empty();
}

std::vector<std::string> readListFile(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(errno, path);
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            fail(error, path);
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r' && end < text.size())
            line.pop_back();
        lines.push_back(std::move(line));
        start = next;
    }
    return lines;
}

} // namespace brenmark
