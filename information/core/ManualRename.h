#pragma once

#include "information/core/PreviewFunction.h"
#include "main/core/filelist/FileEntry.h"

#include <string>

namespace brenmark {

// Renames the file at `currentPath` to its folder followed by `answer`
// (unchanged: not trimmed, not checked), never replacing an existing file or
// folder. Returns where the file lies afterwards: the new path, or
// `currentPath` when the file system refused (the name exists, is not valid,
// the answer was empty, ...). A refusal is not an error and shows no message.
std::string renameSourceFile(const std::string &currentPath, const std::string &answer);

// The whole rename of a file-list row: renames its current path as above and
// returns the row in full form with the path where the file now lies and that
// path's new preview. The icon index stays.
FileEntry renameRowFile(const FileEntry &row, const std::string &answer, const PreviewFunction &preview);

} // namespace brenmark
