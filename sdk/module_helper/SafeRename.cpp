#include "module_helper/SafeRename.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark::sdk {

namespace {

bool exists(const std::string &path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

[[noreturn]] void raise(int error, const std::string &from, const std::string &to)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        throw ModuleError("Файл " + quoted(to) + " уже существует: переименование "
                          + quoted(from) + " отменено, оба файла не тронуты.");
    case ENOENT:
        if (!exists(from))
            throw ModuleError("Файл " + quoted(from) + " не найден.");
        throw ModuleError("Папка " + quoted(splitPath(to).folder) + " не существует.");
    case ENAMETOOLONG:
        throw ModuleError("Слишком длинное имя: " + quoted(to) + ".");
    case EACCES:
    case EPERM:
        throw ModuleError("Нет прав на переименование " + quoted(from) + ".");
    case EROFS:
        throw ModuleError("Файл " + quoted(from) + " лежит на диске только для чтения.");
    case EXDEV:
        throw ModuleError("Файл " + quoted(from) + " нельзя переименовать в " + quoted(to)
                          + ": это другой раздел диска.");
    case ENOSPC:
        throw ModuleError("Нет места на диске для переименования " + quoted(from) + ".");
    default:
        throw ModuleError("Не удалось переименовать " + quoted(from) + " в " + quoted(to) + ": "
                          + std::strerror(error) + ".");
    }
}

// For file systems without RENAME_NOREPLACE: link() refuses an existing
// target just as atomically; the source name is dropped only afterwards.
void renameByLink(const std::string &from, const std::string &to)
{
    if (::link(from.c_str(), to.c_str()) != 0)
        raise(errno, from, to);
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        raise(error, from, to);
    }
}

} // namespace

void renameNoReplace(const std::string &from, const std::string &to)
{
    if (from == to)
        return;
    checkPathLength(to);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    const int error = errno;
    if (error == EINVAL || error == ENOSYS) {
        struct stat info;
        if (::lstat(from.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            renameByLink(from, to);
            return;
        }
    }
    raise(error, from, to);
}

} // namespace brenmark::sdk
