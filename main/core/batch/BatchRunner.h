#pragma once

#include <QString>

#include <string>

namespace brenmark {

class ActionChainModel;
class BatchSink;
class FileListModel;

// The batch run: every file of the list, one after the other, through every
// enabled action in chain order, in run mode (0). Reports through the sink
// only. Rows and actions removed while the run processes events are skipped;
// rows added meanwhile are not run. The window must not unload modules (close)
// while isRunning(): it should stop the run first.
class BatchRunner
{
public:
    BatchRunner(FileListModel &files, ActionChainModel &actions, BatchSink &sink);

    // Runs the whole batch before returning. Ignored while a run is under way.
    // Afterwards, unless stopped: the file list is emptied and, when the sink's
    // exitOnFinal() holds, the sink's closeWindow() is called; then updateFileCount().
    void sbStartClick();
    // Sets StopRequested; takes effect before the next enabled action or file.
    void sbStopClick() { m_stopRequested = true; }

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
