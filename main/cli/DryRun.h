#pragma once

#include "main/cli/ExitCode.h"

#include <string_view>
#include <vector>

namespace brenmark {

class ActionChainModel;
class BackgroundAddRule;
class FileListModel;
class FolderListingCache;

// The dry run over the given paths (the lines of the list, or the files of
// the command line): the paths the file list's add rule accepts, each with
// the new path the chain's preview gives it, printed to standard output one
// "old<TAB>new" line each; then the collisions on standard error. `rule` is
// at work on these paths and keeps its folder listings in `listings`.
// `files` is empty but may hold the paths' bytes (FileListModel::readListFile).
ExitCode runDryRun(FileListModel &files, const std::vector<std::string_view> &paths, BackgroundAddRule &rule,
                   const FolderListingCache &listings, ActionChainModel &chain);

} // namespace brenmark
