#include "information/core/ManualRename.h"

#include "information/core/FilePathParts.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace brenmark {

namespace {

bool moveWithoutReplacing(const std::string &from, const std::string &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace flag: a hard link fails on an
    // existing name just the same, then the old name goes.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    if (::unlink(from.c_str()) != 0) {
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

} // namespace

std::string renameSourceFile(const std::string &currentPath, const std::string &answer)
{
    const std::string newPath = folderPart(currentPath) + answer;
    if (answer.empty() || newPath == currentPath)
        return currentPath;
    return moveWithoutReplacing(currentPath, newPath) ? newPath : currentPath;
}

FileEntry renameRowFile(const FileEntry &row, const std::string &answer, const PreviewFunction &preview)
{
    FileEntry renamed;
    renamed.iconIndex = row.iconIndex;
    renamed.currentPath = renameSourceFile(row.currentPath, answer);
    renamed.newPath = preview ? preview(renamed.currentPath) : std::string();
    renamed.hasNewPath = true;
    return renamed;
}

} // namespace brenmark
