#include "CRCunit/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace brenmark {

namespace {

std::runtime_error notRegular(const std::string &path, mode_t mode)
{
    return std::runtime_error("«" + path + "» — " + fileKindText(mode)
                              + ", а не обычный файл: читается содержимое только обычных файлов.");
}

} // namespace

std::string fileKindText(mode_t mode)
{
    if (S_ISDIR(mode))
        return "папка";
    if (S_ISFIFO(mode))
        return "именованный канал";
    if (S_ISCHR(mode))
        return "символьное устройство";
    if (S_ISBLK(mode))
        return "блочное устройство";
    if (S_ISSOCK(mode))
        return "сокет";
    return "особый файл";
}

int openRegularFile(const std::string &path, struct stat &status)
{
    // Looked at before opening, so that no device is ever opened; a path
    // that cannot be looked at gets the open's own error below.
    struct stat before {};
    if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode))
        throw notRegular(path, before.st_mode);
    // Non-blocking, and checked again on the descriptor: the path may have
    // been replaced by a pipe in between.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        throw std::runtime_error("Cannot open file \"" + path + "\". " + std::strerror(errno));
    if (::fstat(descriptor, &status) != 0) {
        const int error = errno;
        ::close(descriptor);
        throw std::runtime_error("Cannot read file \"" + path + "\". " + std::strerror(error));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        throw notRegular(path, status.st_mode);
    }
    return descriptor;
}

} // namespace brenmark
