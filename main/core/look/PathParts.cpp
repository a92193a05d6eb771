#include "main/core/look/PathParts.h"

namespace brenmark {

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool folderChanged(const QString &currentPath, const QString &newPath)
{
    return folderPart(currentPath).toLower() != folderPart(newPath).toLower();
}

bool nameChanged(const QString &currentPath, const QString &newPath)
{
    return fileNamePart(currentPath) != fileNamePart(newPath);
}

} // namespace brenmark
