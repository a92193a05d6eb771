#pragma once

#include "main/cli/ExitCode.h"

namespace brenmark {

class ActionChainModel;
class FileListModel;
class FolderListingCache;

// The dry run over the rows of `files`: each row's new path as the chain's
// preview gives it, printed to standard output one "old<TAB>new" line each;
// then the collisions on standard error. `listings` holds the folders listed
// when the rows were added.
ExitCode runDryRun(FileListModel &files, const FolderListingCache &listings, ActionChainModel &chain);

} // namespace brenmark
