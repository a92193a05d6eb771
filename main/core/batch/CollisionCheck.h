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
        FolderIsFile, // a folder of the new path is an existing file
    };
    Kind kind;
    std::string newPath;      // as the chain gave it; with steps, the path of the step refused
    std::vector<size_t> rows; // indices of the rows, in list order
};

// Where a run puts files on their way to their new paths: one action after
// another renames a file, each to the path its preview gave after that
// action. Rows are added in list order; a row without any is renamed at once.
class IntermediatePaths
{
public:
    void add(size_t row, std::string_view path);
    bool empty() const { return m_rows.empty(); }
    // The paths of `row` in chain order (views into this object).
    std::vector<std::string_view> of(size_t row) const;

private:
    std::string m_text;                            // the paths one after another
    std::vector<size_t> m_ends;                    // where each path ends in m_text
    std::vector<std::pair<size_t, size_t>> m_rows; // (row, index of its first path in m_ends)
};

// The renames of a run that cannot all succeed: rows that would meet at one
// new path, and new paths that already name another file. Folders are
// compared after resolving them (symbolic links, "..", doubled slashes) and
// files by device and inode, so a hard link or another spelling of the file
// itself is no collision. The run goes through the rows in order: an existing
// target that an earlier row moves away (and can move away) is free by this
// row's turn; a target moved away only by a later row, as in a swap, is not.
// Several unchanged rows of one file are harmless. A new path in a "folder"
// that is an existing file cannot be reached either. Results: same-target
// groups first, then the other kinds, in list order.
//
// With intermediate paths every step must find its path free when the file's
// turn comes, and holds it until the file's next step. A file whose step is
// refused stays where it is; its later steps are not checked, since the run
// goes on from a path that no preview gave.
std::vector<Collision> findCollisions(const std::vector<PathChange> &changes,
                                      const IntermediatePaths &between = IntermediatePaths());

// The same over the file list's rows after a preview rebuild; rows without
// a new path keep their place and are taken as unchanged.
std::vector<Collision> findCollisions(const FileListModel &files,
                                      const IntermediatePaths &between = IntermediatePaths());

} // namespace brenmark
