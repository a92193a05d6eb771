#pragma once

#include "main/cli/ExitCode.h"

#include <string>

namespace brenmark {

// brenmark-batch --undo: returns the files of the last run recorded in the
// journal `journalPath`, naming on standard error each file it could not
// return. With `dryRun` it moves nothing and prints one "current<TAB>original"
// line per file that would go back (quoted as the dry run quotes paths).
ExitCode runUndo(const std::string &journalPath, bool dryRun);

} // namespace brenmark
