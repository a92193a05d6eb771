#pragma once

#include "main/core/undo/FileIdentity.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
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
    // The run's file in the journal folder; set by journalRunFileName for a new run.
    std::string file;
    std::int64_t started = 0; // nanoseconds since the epoch
    // Set once an undo went over the run; what is left is tried again with
    // every later undo, and the next undo goes on to the run before.
    bool undoTried = false;
    std::vector<JournalMove> moves;     // in the order the files finished
    std::vector<JournalFolder> folders; // in the order they were found

    bool empty() const { return moves.empty() && folders.empty(); }
};

// At least this many runs are kept: a new run removes the oldest beyond it.
inline constexpr std::size_t kJournalRuns = 10;

struct JournalContents
{
    std::vector<JournalRun> runs; // oldest first
    // Run files that were damaged or cut short and left out.
    int damagedRuns = 0;
};

// The journal cannot be read (not: it does not exist). The text is for the user.
class JournalError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The journal is a folder (path ending in "/") with one file per run, named
// so that the names sort by the runs' start. A run's file is replaced whole
// or not at all, and it carries its length and CRC-32, so a file that is
// damaged or cut short costs only its own run, and a new run never rewrites
// the older ones. A missing folder is an empty journal. Throws JournalError
// when the folder is there but cannot be listed, or a run file cannot be read.
JournalContents readJournal(const std::string &folder);

// The names of the run files, oldest first, without reading them.
std::vector<std::string> journalRunFiles(const std::string &folder);

// The file name for a run that started at `started` in this process.
std::string journalRunFileName(std::int64_t started);

// A recorder keeps its moves as the bytes they take in the file (no
// structure per file): appends one move to `out`.
void appendJournalMove(std::string &out, std::string_view from, std::string_view to, const FileIdentity &identity);

// A run as the bytes of its file: `encodedCount` moves from
// appendJournalMove first, then those of `run`.
std::string journalRecord(const JournalRun &run, std::string_view encodedMoves = {}, std::size_t encodedCount = 0);

// Writes the run's file (the folder is made when missing), whole or not at
// all; an empty run's file is removed instead. 0, or the errno of the failed step.
int writeJournalRun(const std::string &folder, const JournalRun &run, std::string_view encodedMoves = {},
                    std::size_t encodedCount = 0);

// Removes the files of all but the newest `keep` runs.
void pruneJournal(const std::string &folder, std::size_t keep);

} // namespace brenmark
