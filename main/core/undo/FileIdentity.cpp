#include "main/core/undo/FileIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace brenmark {
namespace {

std::int64_t nanoseconds(const statx_timestamp &time)
{
    return std::int64_t(time.tv_sec) * 1000000000 + time.tv_nsec;
}

} // namespace

bool FileIdentity::isFolder() const
{
    return S_ISDIR(mode);
}

bool FileIdentity::sameAs(const FileIdentity &recorded) const
{
    if (device != recorded.device || inode != recorded.inode)
        return false;
    if (born != kNoTime && recorded.born != kNoTime)
        return born == recorded.born;
    return changed == recorded.changed;
}

bool FileIdentity::sameInodeAs(const FileIdentity &other) const
{
    return device == other.device && inode == other.inode
        && (born == kNoTime || other.born == kNoTime || born == other.born);
}

bool readIdentity(const std::string &path, FileIdentity &identity)
{
    struct statx status {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return false;
    identity.device = makedev(status.stx_dev_major, status.stx_dev_minor);
    identity.inode = status.stx_ino;
    identity.size = std::int64_t(status.stx_size);
    identity.modified = nanoseconds(status.stx_mtime);
    identity.changed = nanoseconds(status.stx_ctime);
    identity.born = (status.stx_mask & STATX_BTIME) ? nanoseconds(status.stx_btime) : FileIdentity::kNoTime;
    identity.mode = status.stx_mode;
    identity.links = status.stx_nlink;
    return true;
}

} // namespace brenmark
