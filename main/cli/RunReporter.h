#pragma once

#include "main/core/batch/BatchSink.h"
#include "main/cli/ProgressDisplay.h"

#include <cstddef>
#include <functional>

namespace brenmark {

// How far a run asked to stop may still go.
enum class StopRequest
{
    None,
    AfterThisFile, // the file under way goes through the rest of its chain
    AfterThisCall,
};

// The batch run's sink for the command line: progress to the display,
// failed calls as messages, a stop request from SIGINT/SIGTERM, and the count
// of files that went through every enabled action.
class RunReporter final : public BatchSink
{
public:
    // `enabledActions`: the chain's enabled actions (the same for every file,
    // since nothing changes the chain during a command-line run).
    // `stopRequested`: asked before every module call.
    RunReporter(ProgressDisplay &display, int enabledActions, std::function<StopRequest()> stopRequested);

    void setProgressMaximum(int maximum) override;
    void setProgressPosition(int position) override;
    void setStatusText(const QString &text) override;
    bool showsCallStatus() const override { return false; }
    void callStarting() override;
    bool stopRequested() const override;
    void callFailed(const std::string &path, const std::string &caption, const std::string &message) override;
    void undoUnavailable(const std::string &message) override;

    size_t total() const { return m_total; }
    // Files whose every enabled action was called (successfully or not).
    size_t filesDone() const { return m_filesDone; }
    size_t failedCalls() const { return m_failedCalls; }

private:
    void closeCurrentFile();

    ProgressDisplay &m_display;
    int m_enabledActions;
    std::function<StopRequest()> m_stopRequested;
    size_t m_total = 0;
    size_t m_filesDone = 0;
    size_t m_failedCalls = 0;
    bool m_fileOpen = false;
    int m_callsInFile = 0;
};

} // namespace brenmark
