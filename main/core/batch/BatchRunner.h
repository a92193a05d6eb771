#pragma once

#include <QString>

#include <string>

namespace brenmark {

class ActionChainModel;
class BatchSink;
class FileListModel;

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
    // empties the file list and gives true; a stopped run keeps every row and
    // gives false, as does a call while a run is under way, which does nothing.
    bool run();
    // Sets StopRequested; takes effect before the next enabled action or file.
    void requestStop() { m_stopRequested = true; }

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

    FileListModel &m_files;
    ActionChainModel &m_actions;
    BatchSink &m_sink;
    bool m_stopRequested = false;
    bool m_running = false;
};

} // namespace brenmark
