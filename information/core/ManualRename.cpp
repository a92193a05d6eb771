#include "information/core/ManualRename.h"

#include "information/core/FilePathParts.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace brenmark {

namespace {

bool moveWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the no-replace flag: a hard link fails on an
    // existing name just the same, then the old name goes.
    if (::link(from.constData(), to.constData()) != 0)
        return false;
    if (::unlink(from.constData()) != 0) {
        ::unlink(to.constData());
        return false;
    }
    return true;
}

} // namespace

QString renameSourceFile(const QString &currentPath, const QString &answer)
{
    const QString newPath = folderPart(currentPath) + answer;
    if (answer.isEmpty() || newPath == currentPath)
        return currentPath;
    return moveWithoutReplacing(QFile::encodeName(currentPath), QFile::encodeName(newPath)) ? newPath : currentPath;
}

} // namespace brenmark
