#pragma once

#include <QString>

class QWidget;

namespace brenmark {

// The file tools of the file list's context menu, for the window to call with
// the current row's path.

// Asks for a new file name ("Переименование" / "Название файла:"), preset with
// the file-name part of `currentPath`; a cancelled dialog answers that name
// unchanged. Then renames without ever replacing a file. Returns where the
// file lies afterwards (`currentPath` when the file system refused); the
// caller rewrites the row in full form with this path and its new preview.
QString N21Click(QWidget *parent, const QString &currentPath);

// Opens the file with the desktop's opener when `runFiles` is on; does
// nothing otherwise or for an empty path. The outcome is not checked.
void openFileWithDesktop(const QString &path, bool runFiles);

} // namespace brenmark
