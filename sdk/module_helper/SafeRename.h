#pragma once

#include <string>

namespace brenmark::sdk {

// Renames the file at `from` to `to` without ever replacing an existing file
// and without creating any folder. Does nothing when the paths are equal.
// Throws ModuleError with a Russian text (refused because the target exists,
// source missing, target folder missing, name too long, no permission, other
// file system...); after a failure both files are as they were.
void renameNoReplace(const std::string &from, const std::string &to);

} // namespace brenmark::sdk
