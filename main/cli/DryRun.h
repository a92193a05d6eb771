#pragma once

#include "main/cli/ExitCode.h"

#include <string_view>
#include <vector>

namespace brenmark {

class ActionChainModel;

// The dry run over the given paths (the lines of the list, or the files of
// the command line): the paths the file list's add rule accepts, each with
// the new path the chain's preview gives it, printed to standard output one
// "old<TAB>new" line each; then the collisions on standard error.
ExitCode runDryRun(const std::vector<std::string_view> &paths, ActionChainModel &chain);

} // namespace brenmark
