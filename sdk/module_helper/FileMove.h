#pragma once

#include <functional>
#include <string>

namespace brenmark::sdk {

// Share of a long copy done so far, 0..100.
using CopyProgress = std::function<void(int percent)>;

// Moves the file `from` to `to` and never replaces anything at `to` (nothing
// happens when both are the same path). Within a file system it is one
// rename; across file systems only a regular file moves (a named pipe or a
// device is refused without being opened): it is copied into a new file
// under a temporary name in the target folder, flushed, compared with the
// source byte for byte (and by size), given the source's mode and times,
// then named `to` without replacing anything, and only then is the source
// removed. A symbolic link moves as a link. On any failure the source
// stays, the copy is removed, and ModuleError carries a Russian text naming
// the files. Shared by the move module and the program's undo.
void moveFile(const std::string &from, const std::string &to, const CopyProgress &progress = {});

} // namespace brenmark::sdk
