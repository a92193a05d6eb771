#pragma once

#include "main/core/undo/FileIdentity.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace brenmark {

// One file that a run moved: its first and its last place, both absolute,
// and what it was at the last place right after the run put it there.
struct JournalMove
{
    std::string from;
    std::string to;
    FileIdentity identity;
};

// A folder the run created for its files.
struct JournalFolder
{
    std::string path;
    FileIdentity identity;
};

struct JournalRun
{
    std::int64_t started = 0; // nanoseconds since the epoch
    // Set once an undo went over the run; what is left is tried again with
    // every later undo, and the next undo goes on to the run before.
    bool undoTried = false;
    std::vector<JournalMove> moves;     // in the order the files finished
    std::vector<JournalFolder> folders; // in the order they were found

    bool empty() const { return moves.empty() && folders.empty(); }
};

inline constexpr std::size_t kJournalRuns = 10;

struct JournalContents
{
    std::vector<JournalRun> runs; // oldest first
    // Records that were damaged or cut short and left out.
    int damagedRecords = 0;
};

// The journal file cannot be read (not: it does not exist). The text is for the user.
class JournalError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The journal is a sequence of records, one per run, each with its length
// and CRC-32, so a damaged record or a cut-short tail costs only that
// record: reading resumes at the next record's mark. A missing file is an
// empty journal. Throws JournalError when the file is there but unreadable.
JournalContents readJournal(const std::string &path);

// One run as a whole record of the file.
std::string journalRecord(const JournalRun &run);

// Replaces the journal by the last kJournalRuns of `runs` (empty runs
// left out), whole or not at all. 0, or the errno of the failed step.
int writeJournal(const std::string &path, const std::vector<JournalRun> &runs);

} // namespace brenmark
