#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// One file of a dry run: where it lies and where the chain would put it.
// The views must outlive the call of findCollisions.
struct PathChange
{
    std::string_view oldPath;
    std::string_view newPath;
};

struct Collision
{
    enum class Kind {
        SameTarget,   // several files would get this new path
        TargetExists, // the new path names an existing file that is not this one
    };
    Kind kind;
    std::string newPath; // as the chain gave it
    std::vector<size_t> rows; // indices into the checked changes, in list order
};

// Finds what the window's preview does not show: files that would meet at one
// new path, and new paths that already name another file. Paths are compared
// after resolving their folder (symbolic links, "..", doubled slashes), files
// by device and inode, so a hard link or another spelling of the file itself
// is no collision. An existing target that an earlier row of the list moves
// away before this row's turn is no collision either, since the run goes
// through the files in list order. Several unchanged rows of one file are
// harmless. Results: same-target groups first, then existing targets, each in
// list order.
std::vector<Collision> findCollisions(const std::vector<PathChange> &changes);

// findCollisions in two steps: the paths are split and their folders
// resolved, and the files that would meet found, at once; the file system's
// contents are asked only by collisions(). The paths are asked for by row, and their views must
// outlive the object.
class CollisionCheck
{
public:
    using ChangeOfRow = std::function<PathChange(size_t row)>;
    CollisionCheck(size_t count, ChangeOfRow change);
    ~CollisionCheck();
    CollisionCheck(const CollisionCheck &) = delete;
    CollisionCheck &operator=(const CollisionCheck &) = delete;

    PathChange change(size_t row) const;
    // Every collision, as findCollisions gives them.
    std::vector<Collision> collisions();

private:
    struct Paths;
    std::unique_ptr<Paths> m_paths;
};

} // namespace brenmark
