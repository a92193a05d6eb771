#pragma once

#include "modules/move_to_folder/RunJournal.h"

#include <string>
#include <vector>

namespace brenmark::movetofolder {

struct UndoReport {
    bool hadRun = false;               // false: the journal held nothing to undo
    int restored = 0;                  // files moved back
    std::vector<std::string> failures; // one Russian text per file left where it is
};

// Moves the files of the newest run back, newest move first, never replacing
// a file (a file whose old place is taken again stays where it is). Moves that
// could not be undone stay in the journal for another try. Folders the run
// created are removed once they are empty again.
UndoReport undoLastRun(RunJournal &journal);

} // namespace brenmark::movetofolder
