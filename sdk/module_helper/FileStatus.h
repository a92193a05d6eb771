#pragma once

// The status a module reads before it looks into a file, with the user's
// message when the file is gone or cannot be reached. Header-only, like
// AtomicFile.h, so that modules need no further library for it.

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

namespace brenmark::sdk {

inline struct stat statusOfFile(const std::string &path)
{
    struct stat status{};
    if (::stat(path.c_str(), &status) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            throw ModuleError("Файл " + quoted(path) + " не найден.");
        throw ModuleError("Нет доступа к файлу " + quoted(path) + ": " + std::strerror(error) + ".");
    }
    return status;
}

// What caches of file contents compare, together with the size.
inline int64_t modifiedNanoseconds(const struct stat &status)
{
    return int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

} // namespace brenmark::sdk
