#pragma once

#include "main/cli/ExitCode.h"

namespace brenmark {

class ActionChainModel;
class FileListModel;

// The dry run over the files of the list: each with the new path the chain's
// preview gives it, printed to standard output one "old<TAB>new" line each;
// then the collisions on standard error.
ExitCode runDryRun(FileListModel &files, ActionChainModel &chain);

} // namespace brenmark
