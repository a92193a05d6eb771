#include "module_helper/SafeRename.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <string_view>
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

// The folder of the last rename, kept open: a long list renames most files
// within one folder, and through the folder's descriptor the kernel looks up
// just the two names instead of walking both whole paths again. The folder
// is opened again when it was opened more than 0.1 s ago, so a folder
// replaced under a long run is followed, as a path would be.
class FolderDescriptor
{
public:
    FolderDescriptor() = default;
    FolderDescriptor(const FolderDescriptor &) = delete;
    FolderDescriptor &operator=(const FolderDescriptor &) = delete;
    ~FolderDescriptor() { forget(); }

    // A descriptor of `folder` (an absolute path ending in '/'), or -1.
    int open(std::string_view folder)
    {
        const std::int64_t now = coarseMilliseconds();
        if (m_descriptor >= 0 && folder == m_folder && now - m_openedAt < kRecheckMilliseconds)
            return m_descriptor;
        forget();
        m_folder.assign(folder);
        m_descriptor = ::open(m_folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        m_openedAt = now;
        return m_descriptor;
    }

    void forget()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = -1;
        m_folder.clear();
    }

private:
    // A clock of the kernel's tick (a few milliseconds) is fine enough for the
    // recheck and costs a fraction of a precise one, which is read per file.
    static std::int64_t coarseMilliseconds()
    {
        timespec now {};
        ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
        return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    }

    static constexpr std::int64_t kRecheckMilliseconds = 100;
    std::string m_folder;
    int m_descriptor = -1;
    std::int64_t m_openedAt = 0;
};

// Modules are called from one thread at a time; a plain static (no
// thread_local) lets the module unload when the host closes it.
FolderDescriptor g_lastFolder;

// Renames within one absolute folder through its descriptor; false when the
// paths are not of that shape or the rename failed (the caller then goes the
// way of the whole paths, which also words the failure).
bool renameInFolder(const std::string &from, const std::string &to)
{
    const size_t slash = from.rfind('/');
    if (from.empty() || from.front() != '/' || slash == std::string::npos || to.size() <= slash + 1
        || to.compare(0, slash + 1, from, 0, slash + 1) != 0 || to.find('/', slash + 1) != std::string::npos)
        return false;
    const int folder = g_lastFolder.open(std::string_view(from).substr(0, slash + 1));
    if (folder < 0)
        return false;
    if (::renameat2(folder, from.c_str() + slash + 1, folder, to.c_str() + slash + 1, RENAME_NOREPLACE) == 0)
        return true;
    g_lastFolder.forget();
    return false;
}

} // namespace

void renameNoReplace(const std::string &from, const std::string &to)
{
    if (from == to)
        return;
    checkPathLength(to);
    if (renameInFolder(from, to))
        return;
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
