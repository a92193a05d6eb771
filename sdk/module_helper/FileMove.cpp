#include "module_helper/FileMove.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace brenmark::sdk {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

[[noreturn]] void throwMoveError(int error, const std::string &from, const std::string &to)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        throw ModuleError("Файл " + quoted(to) + " уже существует: " + quoted(from) + " не перемещён, оба файла не тронуты.");
    case ENOENT:
        if (::access(from.c_str(), F_OK) != 0)
            throw ModuleError("Файл " + quoted(from) + " не найден.");
        throw ModuleError("Папка " + quoted(splitPath(to).folder) + " не существует.");
    case ENAMETOOLONG:
        throw ModuleError("Слишком длинное имя: " + quoted(to) + ".");
    case EACCES:
    case EPERM:
    case EROFS:
        throw ModuleError("Нет прав на перемещение " + quoted(from) + " в " + quoted(to) + ".");
    case ENOSPC:
    case EDQUOT:
        throw ModuleError("Нет места для " + quoted(to) + ": " + quoted(from) + " не перемещён.");
    default:
        throw ModuleError("Не удалось переместить " + quoted(from) + " в " + quoted(to) + ": "
                          + std::strerror(error) + ".");
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Reads up to `size` bytes, fewer only at the end of the file; -1 on error.
ssize_t readFull(int fd, char *data, std::size_t size)
{
    std::size_t total = 0;
    while (total < size) {
        const ssize_t got = ::read(fd, data + total, size - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(total);
}

// Compares two open files from their starts; false on any difference or error.
bool sameContent(int first, int second, char *bufferA, char *bufferB)
{
    if (::lseek(first, 0, SEEK_SET) != 0 || ::lseek(second, 0, SEEK_SET) != 0)
        return false;
    for (;;) {
        const ssize_t a = readFull(first, bufferA, kBufferSize);
        const ssize_t b = readFull(second, bufferB, kBufferSize);
        if (a < 0 || a != b)
            return false;
        if (a == 0)
            return true;
        if (std::memcmp(bufferA, bufferB, static_cast<std::size_t>(a)) != 0)
            return false;
    }
}

// A symbolic link moves as a link (like mv), never as a copy of what it points at.
void moveLinkAcross(const std::string &from, const std::string &to)
{
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(from.c_str(), target.data(), target.size());
    if (length < 0)
        throwMoveError(errno, from, to);
    target.resize(static_cast<std::size_t>(length));
    if (::symlink(target.c_str(), to.c_str()) != 0)
        throwMoveError(errno, from, to);
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        throwMoveError(error, from, to);
    }
}

[[noreturn]] void refuseNotRegular(const std::string &from, mode_t mode)
{
    const char *kind = S_ISDIR(mode) ? "папка" : S_ISFIFO(mode) ? "именованный канал"
        : S_ISCHR(mode) || S_ISBLK(mode) ? "устройство" : "особый файл";
    throw ModuleError("Перенести " + quoted(from) + " на другой диск нельзя: это " + kind
                      + ", а переносятся только обычные файлы.");
}

// Gives the finished copy its name, never replacing anything there.
int publishWithoutReplacing(const std::string &temporary, const std::string &to)
{
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    // A file system without RENAME_NOREPLACE: a hard link refuses to
    // replace as well.
    if (::link(temporary.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(temporary.c_str());
    return 0;
}

// A copy under a temporary name in the target folder: it gets the final
// name only when it is complete, so that an interrupted move never leaves a
// partial file under that name (which a second try would refuse to
// replace). Until then any failure removes it.
class TemporaryCopy {
public:
    explicit TemporaryCopy(const std::string &to)
        : m_path(std::string(splitPath(to).folder) + ".brenmark-move-XXXXXX")
        , m_file(::mkostemp(m_path.data(), O_CLOEXEC))
    {
    }
    ~TemporaryCopy()
    {
        if (m_created && !m_published)
            ::unlink(m_path.c_str());
    }
    TemporaryCopy(const TemporaryCopy &) = delete;
    TemporaryCopy &operator=(const TemporaryCopy &) = delete;

    int get() const { return m_file.get(); }

    // Closes the copy and puts it under `to`; 0, or the error.
    int publish(const std::string &to)
    {
        if (::close(m_file.release()) != 0)
            return errno;
        const int error = publishWithoutReplacing(m_path, to);
        m_published = error == 0;
        return error;
    }

private:
    std::string m_path;
    FileDescriptor m_file;
    bool m_created = m_file.get() >= 0;
    bool m_published = false;
};

void copyAcross(const std::string &from, const std::string &to, const CopyProgress &progress)
{
    struct stat link{};
    if (::lstat(from.c_str(), &link) == 0) {
        if (S_ISLNK(link.st_mode)) {
            moveLinkAcross(from, to);
            return;
        }
        // Refused before opening: a named pipe blocks, a device may never end.
        if (!S_ISREG(link.st_mode))
            refuseNotRegular(from, link.st_mode);
    }
    // Non-blocking, and checked on the descriptor, in case the path was
    // replaced by a pipe in between.
    FileDescriptor source(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (source.get() < 0)
        throwMoveError(errno, from, to);
    struct stat status{};
    if (::fstat(source.get(), &status) != 0)
        throwMoveError(errno, from, to);
    if (!S_ISREG(status.st_mode))
        refuseNotRegular(from, status.st_mode);
    // A long copy is not made for a name that is taken or unusable anyway.
    if (::faccessat(AT_FDCWD, to.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) == 0)
        throwMoveError(EEXIST, from, to);
    if (errno != ENOENT)
        throwMoveError(errno, from, to);

    TemporaryCopy target(to);
    if (target.get() < 0)
        throwMoveError(errno, from, to);
    auto failVerify = [&] {
        throw ModuleError("Копия " + quoted(to) + " не совпала с " + quoted(from)
                          + ": копия удалена, файл не перемещён.");
    };

    std::unique_ptr<char[]> buffer(new char[2 * kBufferSize]);
    int64_t copied = 0;
    for (;;) {
        const ssize_t got = readFull(source.get(), buffer.get(), kBufferSize);
        if (got < 0)
            throwMoveError(errno, from, to);
        if (got == 0)
            break;
        if (!writeAll(target.get(), buffer.get(), static_cast<std::size_t>(got)))
            throwMoveError(errno != 0 ? errno : EIO, from, to);
        copied += got;
        if (progress && status.st_size > 0)
            progress(static_cast<int>(copied * 100 / status.st_size));
    }
    if (::fsync(target.get()) != 0)
        throwMoveError(errno, from, to);

    struct stat copyStatus{};
    if (::fstat(target.get(), &copyStatus) != 0)
        throwMoveError(errno, from, to);
    if (copyStatus.st_size != copied || copied != status.st_size)
        failVerify();
    if (!sameContent(source.get(), target.get(), buffer.get(), buffer.get() + kBufferSize))
        failVerify();

    // Mode, times and owner are kept where the target file system can hold
    // them; FAT on a USB stick refuses modes, which must not stop the move.
    const timespec times[2] = {status.st_atim, status.st_mtim};
    // The owner goes first: changing it clears the set-user-ID bits again.
    [[maybe_unused]] const int ownerKept = ::fchown(target.get(), status.st_uid, status.st_gid);
    [[maybe_unused]] const int modeKept = ::fchmod(target.get(), status.st_mode & 07777);
    [[maybe_unused]] const int timesKept = ::futimens(target.get(), times);
    if (const int error = target.publish(to); error != 0)
        throwMoveError(error, from, to);
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        throw ModuleError("Не удалось удалить " + quoted(from) + " после копирования ("
                          + std::strerror(error) + "): копия удалена, файл остался на месте.");
    }
}

} // namespace

void moveFile(const std::string &from, const std::string &to, const CopyProgress &progress)
{
    if (from == to)
        return;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    const int error = errno;
    if (error == EXDEV) {
        copyAcross(from, to, progress);
        return;
    }
    if (error == EINVAL) {
        // A file system without RENAME_NOREPLACE: a hard link refuses to
        // replace as well, and only a second name exists in between.
        struct stat status{};
        if (::lstat(from.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
            if (::link(from.c_str(), to.c_str()) != 0)
                throwMoveError(errno, from, to);
            if (::unlink(from.c_str()) != 0) {
                const int unlinkError = errno;
                ::unlink(to.c_str());
                throwMoveError(unlinkError, from, to);
            }
            return;
        }
    }
    throwMoveError(error, from, to);
}

} // namespace brenmark::sdk
