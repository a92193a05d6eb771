#pragma once

#include "module_helper/FileMove.h"

#include <string>
#include <vector>

namespace brenmark::movetofolder {

using sdk::CopyProgress;
using sdk::moveFile;

// Creates `folder` and any missing parents (like mkdir -p); returns the
// folders it made, outermost first.
std::vector<std::string> createFolders(const std::string &folder);

// Removes the folders createFolders made, innermost first, as far as they
// are still empty.
void removeCreatedFolders(const std::vector<std::string> &created);

} // namespace brenmark::movetofolder
