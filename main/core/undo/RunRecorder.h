#pragma once

#include "main/core/undo/FileIdentity.h"
#include "main/core/undo/UndoJournal.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

namespace brenmark {

// Watches a batch run from outside the modules and writes what it moved to
// the undo journal. The run tells it where each file lies before its first
// call and the running name after every call; a call moved the file when
// the new name names the same file and the old one no longer does. A chain
// of moves of one file becomes one entry, first place to last. Paths are
// made absolute with the working folder at the start of the run, so an undo
// from another folder finds them. The journal is written after the first
// move, every two seconds of the run and at its end, as a file of its own in
// the journal folder (older runs are never rewritten); when it cannot be
// written the run goes on unrecorded and takeProblem() says so once.
class RunRecorder
{
public:
    // `journalPath`: the journal folder, ending in "/".
    explicit RunRecorder(std::string journalPath);

    const std::string &journalPath() const { return m_path; }

    void beginRun();
    // Before the file's first call: where it lies (as the list gives it) and what it is.
    void beginFile(std::string_view path, const FileIdentity &identity);
    // After each call of the file begun last: the running name now.
    void afterCall(const char *runningName);
    void endFile();
    void endRun();

    // A message for the user when this run cannot be undone (the journal
    // could not be read or written), given once; empty otherwise.
    std::string takeProblem();

    // Where `path` lies, absolute, from the working folder `folder` (ending
    // in "/"), into `out`; "." parts and doubled slashes are dropped, ".." is
    // kept (through a symbolic link it does not mean the folder above).
    static void absolutePath(std::string &out, std::string_view path, std::string_view folder);

private:
    bool movedTo(const FileIdentity &now) const;
    void noteCreatedFolders(const std::string &newPath, const std::string &oldPath);
    void write();
    void fail(const std::string &message);

    std::string m_path;
    std::string m_workingFolder;
    std::int64_t m_runStart = 0;
    JournalRun m_run; // its folders; the moves are in m_moves
    std::string m_moves;
    std::size_t m_moveCount = 0;
    std::unordered_set<std::string> m_createdFolders;
    bool m_broken = false;
    bool m_written = false;
    std::int64_t m_lastWriteMs = 0;
    std::string m_problem;

    // The file under way. The strings are reused from file to file, so a
    // file costs no allocation.
    bool m_tracking = false;
    std::string m_first;
    std::string m_last;
    std::string m_given;
    std::string m_next;
    FileIdentity m_identity;
};

} // namespace brenmark
