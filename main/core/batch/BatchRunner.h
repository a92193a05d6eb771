#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace brenmark {

class ActionChainModel;
class BatchSink;
class FileListModel;
class RunRecorder;

// The batch run: every file of the list, one after the other, through every
// enabled action in chain order, in run mode (0). Reports through the sink
// only; what follows a run (closing the window, the file count) is the
// caller's. Rows and actions removed while the run processes events are
// skipped; rows added meanwhile are not run. The window must not unload
// modules (close) while isRunning(): it should stop the run first.
class BatchRunner
{
public:
    BatchRunner(FileListModel &files, ActionChainModel &actions, BatchSink &sink);

    // Runs the whole batch before returning. A complete run (not stopped)
    // removes every row whose file went through its calls without a failure
    // and gives true; the rows of failed files stay, marked as failed with the
    // action's caption and the module's message. A stopped run keeps every
    // row (marking the failed ones) and gives false, as does a call while a
    // run is under way, which does nothing. The chain's modules are told
    // the list's size first; one failing there ends the call with its
    // ModuleCallError before any file is touched.
    bool run();
    // Records the moves of every later run for undo (null: none). Not owned.
    void setRecorder(RunRecorder *recorder) { m_recorder = recorder; }

    // Sets StopRequested: the call under way finishes, no further call starts.
    void requestStop() { m_stopRequested = true; }

    // The last run: the files it started, and how many of them had a failed call.
    int filesRun() const { return m_filesRun; }
    int failedFiles() const { return int(m_failures.size()); }

    bool StopRequested() const { return m_stopRequested; }
    bool isRunning() const { return m_running; }

    // The lbAction caption while an action is at work: the file-name part of the
    // row's current path, " / ", the action's caption.
    static QString statusText(const std::string &currentPath, const std::string &caption);

private:
    // What runFile reuses from file to file, so a file costs no allocation.
    struct FileBuffers;

    bool stopping() const;
    void runFile(int row, FileBuffers &buffers);
    void fileFailed(std::uint64_t serial, const std::string &caption, const std::string &message);
    // After the loop: the failed rows marked, and after a complete run the others removed.
    void settleRows(bool complete);
    void reportRecorderProblem();

    FileListModel &m_files;
    ActionChainModel &m_actions;
    BatchSink &m_sink;
    RunRecorder *m_recorder = nullptr;
    bool m_stopRequested = false;
    bool m_running = false;
    int m_filesRun = 0;
    // Failed files by row serial, in run order (so by serial), with their reasons.
    std::vector<std::pair<std::uint64_t, QString>> m_failures;
};

} // namespace brenmark
