#pragma once

#include "modules/date_time/DateParts.h"
#include "modules/move_to_folder/MoveOptions.h"

#include <string>
#include <string_view>

namespace brenmark::movetofolder {

std::string_view folderText(const MoveOptions &options);

// Throws sdk::ModuleError with a Russian text when the values of a block cannot be used.
void validateOptions(const MoveOptions &options);

// True when the folder text names date parts, so the file's date must be read.
bool needsDate(const MoveOptions &options);

// The folder (ending in "/") the file at `path` goes into: the options' folder
// with its date codes filled from `date`, relative ones joined to the folder
// of `path`, a leading "~" standing for $HOME. "." segments and repeated "/" are dropped; ".." is kept, since
// only the file system knows where it leads through a symbolic link.
std::string targetFolder(std::string_view path, const MoveOptions &options, const datetime::DateParts &date);

// The new full path: the target folder and the unchanged file name.
std::string targetPath(std::string_view path, const MoveOptions &options, const datetime::DateParts &date);

// What the instance does, for the action row.
std::string describe(const MoveOptions &options);

} // namespace brenmark::movetofolder
