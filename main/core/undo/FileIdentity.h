#pragma once

#include <cstdint>
#include <string>

namespace brenmark {

// What tells one file (or folder) from another that later takes its name.
// Device and inode alone do not: a file system reuses a freed inode for the
// next file it creates, often under the same name. The birth time settles
// it where the file system keeps one; elsewhere the change time does, which
// also changes when the file is written to, so there an edited file no
// longer counts as the same one (the safe side). Times are nanoseconds
// since the epoch.
struct FileIdentity
{
    static constexpr std::int64_t kNoTime = INT64_MIN;

    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    std::int64_t born = kNoTime;
    std::uint32_t mode = 0;
    std::uint32_t links = 0;

    bool isFolder() const;
    // The same file as `recorded`, by the rule above.
    bool sameAs(const FileIdentity &recorded) const;
    // The same inode, and the same birth time where both have one: what a
    // rename keeps (it changes the change time).
    bool sameInodeAs(const FileIdentity &other) const;
    // Content and time equal: what survives a copy to another file system.
    bool sameContentStamp(const FileIdentity &other) const { return size == other.size && modified == other.modified; }
};

// Reads the identity of what `path` names, not following a final symbolic
// link (a link is moved as a link). False when nothing is there or it
// cannot be looked at; errno tells which.
bool readIdentity(const std::string &path, FileIdentity &identity);

} // namespace brenmark
