#pragma once

#include <functional>
#include <string>

namespace brenmark::movetofolder {

// Share of a long copy done so far, 0..100.
using CopyProgress = std::function<void(int percent)>;

// Moves the file `from` to `to` and never replaces anything at `to`. Within a
// file system it is one rename; across file systems the file is copied into a
// new file, flushed, compared with the source byte for byte (and by size),
// given the source's mode and times, and only then is the source removed. On
// any failure the source stays, a partial copy is removed, and
// std::runtime_error carries a Russian text naming the files.
void moveFile(const std::string &from, const std::string &to, const CopyProgress &progress = {});

// Creates `folder` and any missing parents (like mkdir -p).
void createFolders(const std::string &folder);

} // namespace brenmark::movetofolder
