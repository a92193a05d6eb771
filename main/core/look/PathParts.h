#pragma once

#include <QString>

namespace brenmark {

// The text after the last "/" (the whole text when there is none).
QString fileNamePart(const QString &path);

// Everything up to and including the last "/" (empty when there is none).
QString folderPart(const QString &path);

// A folder counts as changed when the folder parts differ after Unicode lower-casing.
bool folderChanged(const QString &currentPath, const QString &newPath);

// A name counts as changed when the file-name parts differ, letter case included.
bool nameChanged(const QString &currentPath, const QString &newPath);

} // namespace brenmark
