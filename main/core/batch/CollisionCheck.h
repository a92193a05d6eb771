#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

class FileListModel;

// One row of a run: where the file lies and where the chain would put it.
struct PathChange
{
    std::string_view oldPath;
    std::string_view newPath;
};

struct Collision
{
    enum class Kind {
        SameTarget,   // several rows would get this new path
        TargetExists, // the new path names an existing file that is not this one
    };
    Kind kind;
    std::string newPath;      // as the chain gave it
    std::vector<size_t> rows; // indices of the rows, in list order
};

// The renames of a run that cannot all succeed: rows that would meet at one
// new path, and new paths that already name another file. Folders are
// compared after resolving them (symbolic links, "..", doubled slashes) and
// files by device and inode, so a hard link or another spelling of the file
// itself is no collision. The run goes through the rows in order: an existing
// target that an earlier row moves away (and can move away) is free by this
// row's turn; a target moved away only by a later row, as in a swap, is not.
// Several unchanged rows of one file are harmless. Results: same-target
// groups first, then existing targets, each in list order.
std::vector<Collision> findCollisions(const std::vector<PathChange> &changes);

// The same over the file list's rows after a preview rebuild; rows without
// a new path keep their place and are taken as unchanged.
std::vector<Collision> findCollisions(const FileListModel &files);

} // namespace brenmark
