#pragma once

// Kept in a header so that the program and the modules, which link nothing
// of each other, share one implementation. Plain POSIX, no Qt.

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark::sdk {

// Writes every byte of `bytes` to `fd`, going on after interrupted and
// short writes. Gives 0 or the errno that stopped it; `done` counts the
// bytes that reached the file either way.
inline int writeAll(int fd, std::string_view bytes, std::size_t &done)
{
    done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

// Replaces the file at `path` by `bytes`, whole or not at all. The bytes go
// to a new file in the same folder, which is renamed over `path` only after
// every byte was written and synced; on any failure it is removed and the
// old file is left byte for byte. Plain write() calls are used because a
// buffered stream reports a full disk only when it is flushed, which is
// easily left unchecked. A symbolic link at `path` stays and the file it
// names is replaced; an existing file's permission bits are kept.
// Gives 0, or the errno of the failed step (a full disk gives ENOSPC, a
// file-size limit EFBIG).
inline int replaceFileAtomically(const std::string &path, std::string_view bytes)
{
    std::string target = path;
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) {
        if (char *real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const bool existed = ::stat(target.c_str(), &existing) == 0;

    const std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    static std::atomic<unsigned> counter {0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        // A short name of its own, so a long file name cannot make it too long.
        temporary = folder + ".~brenmark-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100))
            return errno;
    }

    int error = 0;
    if (existed && ::fchmod(fd, existing.st_mode & 07777) != 0)
        error = errno;
    std::size_t done = 0;
    if (error == 0)
        error = writeAll(fd, bytes, done);
    // Some file systems report a lack of space only when the data reaches the disk.
    if (error == 0 && ::fdatasync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    return error;
}

} // namespace brenmark::sdk
