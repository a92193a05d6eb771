#include "main/cli/RunReporter.h"

#include "main/cli/PathQuoting.h"

namespace brenmark {

RunReporter::RunReporter(ProgressDisplay &display, int enabledActions, std::function<StopRequest()> stopRequested)
    : m_display(display)
    , m_enabledActions(enabledActions)
    , m_stopRequested(std::move(stopRequested))
{
}

void RunReporter::setProgressMaximum(int maximum)
{
    m_total = size_t(maximum < 0 ? 0 : maximum);
    m_display.start(m_total);
}

// The run sets position i + 1 when file i begins and 0 before and after the loop.
void RunReporter::setProgressPosition(int position)
{
    closeCurrentFile();
    if (position > 0) {
        m_fileOpen = true;
        m_callsInFile = 0;
        m_display.update(m_filesDone);
    }
}

// Nothing shows the run's texts on the command line.
void RunReporter::setStatusText(const QString &)
{
}

void RunReporter::callStarting()
{
    if (m_fileOpen)
        ++m_callsInFile;
}

bool RunReporter::stopRequested() const
{
    switch (m_stopRequested ? m_stopRequested() : StopRequest::None) {
    case StopRequest::None:
        return false;
    case StopRequest::AfterThisFile:
        // Asked between files, or before a file's first call: stop. Within a
        // file, its remaining actions still run.
        return !m_fileOpen || m_callsInFile == 0 || m_callsInFile >= m_enabledActions;
    case StopRequest::AfterThisCall:
        return true;
    }
    return true;
}

void RunReporter::callFailed(const std::string &path, const std::string &caption, const std::string &message)
{
    ++m_failedCalls;
    m_display.message("brenmark-batch: ошибка: " + quotePath(path) + " / " + caption + ": " + message);
}

void RunReporter::undoUnavailable(const std::string &message)
{
    m_display.message("brenmark-batch: " + message);
}

void RunReporter::closeCurrentFile()
{
    if (m_fileOpen && m_callsInFile >= m_enabledActions)
        ++m_filesDone;
    m_fileOpen = false;
}

} // namespace brenmark
