#pragma once

#include "information/core/PreviewFunction.h"
#include "main/core/filelist/FileEntry.h"

#include <string>

class QWidget;

namespace brenmark {

// The file tools of the file list's context menu, for the window to call with
// the current row. Paths are the file system's bytes.

// Asks for a new file name ("Переименование" / "Название файла:"), preset with
// the file-name part of `currentPath`. Returns the answer as bytes; a
// cancelled or unchanged answer is the current name's own bytes, so a name
// that is not valid UTF-8 is never altered by its display.
std::string askNewFileName(QWidget *parent, const std::string &currentPath);

// Rename by hand: asks for the name, renames without ever replacing a file,
// and returns the row in full form with the path where the file now lies and
// its new preview (`preview` is PreviewFile for this row). The caller puts the
// row back into the list.
FileEntry N21Click(QWidget *parent, const FileEntry &row, const PreviewFunction &preview);

// Opens the file with the desktop's opener when `runFiles` is on; does
// nothing otherwise or for an empty path. The outcome is not checked.
void openFileWithDesktop(const std::string &path, bool runFiles);

} // namespace brenmark
