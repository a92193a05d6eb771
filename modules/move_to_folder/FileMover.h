#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brenmark::movetofolder {

// Share of a long copy done so far, 0..100.
using CopyProgress = std::function<void(int percent)>;

// Moves the file `from` to `to` and never replaces anything at `to` (nothing
// happens when both are the same path). Within a file system it is one
// rename; across file systems only a regular file moves (a named pipe or a
// device is refused without being opened): it is copied into a new file
// under a temporary name in the target folder, flushed, compared with the
// source byte for byte (and by size), given the source's mode and times,
// then named `to` without replacing anything, and only then is the source
// removed. On any failure the source stays, the copy is removed, and
// sdk::ModuleError carries a Russian text naming the files.
void moveFile(const std::string &from, const std::string &to, const CopyProgress &progress = {});

// Creates `folder` and any missing parents (like mkdir -p); returns the
// folders it made, outermost first.
std::vector<std::string> createFolders(const std::string &folder);

// Removes the folders createFolders made, innermost first, as far as they
// are still empty.
void removeCreatedFolders(const std::vector<std::string> &created);

} // namespace brenmark::movetofolder
