#pragma once

#include <QString>

namespace brenmark {

// Renames the file at `currentPath` to its folder followed by `answer`
// (unchanged: not trimmed, not checked), never replacing an existing file.
// Returns where the file lies afterwards: the new path, or `currentPath` when
// the file system refused (the name exists, is not valid, the answer was
// empty, ...). A refusal is not an error and shows no message.
QString renameSourceFile(const QString &currentPath, const QString &answer);

} // namespace brenmark
