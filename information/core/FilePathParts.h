#pragma once

#include <QString>

namespace brenmark {

// The text after the last "/"; the whole path when it has none.
inline QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Everything up to and including the last "/"; empty when there is none.
inline QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace brenmark
