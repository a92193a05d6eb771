#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brenmark {

// What "undo the last run" goes over: the newest run not undone yet, and
// whatever earlier undos of newer runs could not return (tried again first).
struct UndoPlan
{
    int files = 0;
    int folders = 0;
    bool empty() const { return files == 0 && folders == 0; }
};

// One file on its way back, for a listing: where it is now, where it goes.
struct UndoStep
{
    const std::string &current;
    const std::string &original;
    // Empty when the file is (or in a dry run would be) returned; otherwise why not.
    const std::string &problem;
};

struct UndoResult
{
    int returned = 0;
    // One text per file that was not returned, naming it and saying why.
    std::vector<std::string> notReturned;
    int foldersRemoved = 0;
    // Folders the run made that still hold something and stay.
    std::vector<std::string> foldersKept;
    // The journal could not be rewritten after the files were returned.
    std::string journalProblem;
    bool allReturned() const { return notReturned.empty(); }
};

// Whether the journal holds a run (a run file is there; none is read):
// cheap enough to ask each time a menu opens.
bool undoAvailable(const std::string &journalPath);

// Throw JournalError when the journal cannot be read.
UndoPlan planUndo(const std::string &journalPath);

// Returns the files, newest move first. A file goes back only when what
// lies at its recorded place is still that file (never a folder, never
// another file of that name) and its old place is free; nothing is ever
// replaced. Files that cannot be returned stay and are named; a file whose
// place holds something else now is also dropped from the journal (there
// is nothing left of the run to return), one that found its old place
// taken or failed to move stays in it for the next undo. Folders the run
// made are removed when they are empty again. `dryRun` only checks and
// lists: nothing moves and the journal is not written.
UndoResult undoLastRun(const std::string &journalPath, bool dryRun = false,
                       const std::function<void(const UndoStep &)> &listener = {});

} // namespace brenmark
