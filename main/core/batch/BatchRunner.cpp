#include "main/core/batch/BatchRunner.h"

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/ChainFileCount.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/RowSelection.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "main/core/undo/FileIdentity.h"
#include "main/core/undo/RunRecorder.h"

#include <QScopeGuard>

#include <vector>

#include <sys/stat.h>
#include <time.h>

namespace brenmark {

struct BatchRunner::FileBuffers
{
    std::string currentPath;
    std::vector<std::uint64_t> actions;
    QString failure = QString::fromUtf8("Ошибка!");
    // How long each action's last call took (action serial, milliseconds).
    std::vector<std::pair<std::uint64_t, std::int64_t>> lastCallMs;

    std::int64_t &lastCallOf(std::uint64_t action)
    {
        for (auto &[serial, ms] : lastCallMs)
            if (serial == action)
                return ms;
        return lastCallMs.emplace_back(action, -1).second;
    }
};

BatchRunner::BatchRunner(FileListModel &files, ActionChainModel &actions, BatchSink &sink)
    : m_files(files)
    , m_actions(actions)
    , m_sink(sink)
{
}

QString BatchRunner::statusText(const std::string &currentPath, const std::string &caption)
{
    size_t slash = currentPath.rfind('/');
    std::string_view name = slash == std::string::npos ? std::string_view(currentPath)
                                                       : std::string_view(currentPath).substr(slash + 1);
    return QString::fromUtf8(name.data(), qsizetype(name.size())) + QStringLiteral(" / ")
        + QString::fromUtf8(caption.data(), qsizetype(caption.size()));
}

namespace {

// Call durations only tell the window whether a caption would be seen (tens
// of milliseconds): the coarse clock is precise enough and costs next to
// nothing per call.
std::int64_t coarseMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Whether the file found at `path` is a folder now, also through a link.
bool namesFolder(const std::string &path, const FileIdentity &identity)
{
    if (!S_ISLNK(identity.mode))
        return identity.isFolder();
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

bool BatchRunner::stopping() const
{
    return m_stopRequested || m_sink.stopRequested();
}

bool BatchRunner::run()
{
    if (m_running)
        return false;
    m_running = true;
    const int total = m_files.count();
    try {
        tellChainFileCount(m_actions, total);
    } catch (...) {
        m_running = false;
        throw;
    }
    m_sink.setProgressPosition(0);
    m_sink.setProgressMaximum(total);
    m_stopRequested = false;
    m_filesRun = 0;
    m_failures.clear();
    if (m_recorder) {
        m_recorder->beginRun();
        reportRecorderProblem();
    }

    // Rows are found again by serial number: rows removed while events are
    // processed are skipped, rows added meanwhile (serials above the last one
    // now) are not run.
    const std::uint64_t lastSerial = m_files.lastSerial();
    std::uint64_t previousSerial = 0;
    int hint = 0;
    FileBuffers buffers;
    for (int i = 0; i < total; ++i) {
        if (stopping())
            break;
        m_sink.setProgressPosition(i + 1);
        const int row = m_files.rowAfterSerial(previousSerial, hint);
        if (row < 0 || m_files.serial(row) > lastSerial)
            break;
        previousSerial = m_files.serial(row);
        hint = row + 1;
        ++m_filesRun;
        runFile(row, buffers);
    }

    if (m_recorder) {
        m_recorder->endRun();
        reportRecorderProblem();
    }
    m_sink.setProgressPosition(0);
    m_sink.setStatusText(QString());
    m_running = false;
    const bool complete = !stopping();
    settleRows(complete);
    return complete;
}

void BatchRunner::fileFailed(std::uint64_t serial, const std::string &caption, const std::string &message)
{
    const QString reason = QString::fromStdString(caption) + QStringLiteral(": ") + QString::fromStdString(message);
    if (!m_failures.empty() && m_failures.back().first == serial)
        m_failures.back().second += QLatin1Char('\n') + reason;
    else
        m_failures.emplace_back(serial, reason);
}

void BatchRunner::reportRecorderProblem()
{
    if (const std::string problem = m_recorder->takeProblem(); !problem.empty())
        m_sink.undoUnavailable(problem);
}

void BatchRunner::settleRows(bool complete)
{
    if (complete && m_failures.empty()) {
        m_files.clear();
        return;
    }
    // Rows are matched to failures by serial: both run in list order.
    RowSelection succeeded(m_files.count(), complete);
    std::vector<std::pair<int, QString>> failed;
    size_t next = 0;
    for (int row = 0; row < m_files.count() && next < m_failures.size(); ++row) {
        while (next < m_failures.size() && m_failures[next].first < m_files.serial(row))
            ++next;
        if (next < m_failures.size() && m_failures[next].first == m_files.serial(row)) {
            succeeded.set(row, false);
            failed.emplace_back(row, m_failures[next].second);
        }
    }
    if (complete) {
        m_files.removeRows(succeeded);
        // The failed rows are now the first rows, in their order.
        for (size_t at = 0; at < failed.size(); ++at)
            failed[at].first = int(at);
    }
    m_files.setFailedMarks(failed);
}

void BatchRunner::runFile(int row, FileBuffers &buffers)
{
    const std::uint64_t fileSerial = m_files.serial(row);
    // Host copies: the list's storage may change while events are processed.
    const std::string &currentPath = buffers.currentPath.assign(m_files.currentPath(row));
    const char *name = currentPath.c_str();

    // The actions as they stand when the file begins; each is found again by
    // serial after the events, so a removed or moved action is never mistaken
    // for another.
    std::vector<std::uint64_t> &actions = buffers.actions;
    actions.clear();
    for (int j = 0; j < m_actions.count(); ++j)
        actions.push_back(m_actions.serial(j));

    // The recorder follows the file from its first call to the end of its chain.
    bool recording = false;
    auto finishFile = qScopeGuard([&] {
        if (recording) {
            m_recorder->endFile();
            reportRecorderProblem();
        }
    });

    for (std::uint64_t actionSerial : actions) {
        int j = m_actions.rowOfSerial(actionSerial);
        if (j < 0 || !m_actions.isChecked(j))
            continue;
        if (stopping())
            break;
        std::int64_t &lastCallMs = buffers.lastCallOf(actionSerial);
        m_sink.expectCall(lastCallMs);
        if (m_sink.showsCallStatus())
            m_sink.setStatusText(statusText(currentPath, m_actions.caption(j)));
        m_sink.processPendingEvents();
        // A stop pressed during the last call is seen only now.
        if (stopping())
            break;

        j = m_actions.rowOfSerial(actionSerial);
        if (j < 0 || !m_actions.isChecked(j))
            continue;
        // The file index is the row's position now (rows before it may be gone).
        const int fileIndex = m_files.rowAfterSerial(fileSerial - 1, row);
        if (fileIndex >= 0 && m_files.serial(fileIndex) == fileSerial)
            row = fileIndex;
        TListData &record = m_actions.record(j);
        if (name == currentPath.c_str()) {
            FileIdentity identity;
            const bool found = readIdentity(currentPath, identity);
            if (found && namesFolder(currentPath, identity)) {
                // Replaced by a folder since it was listed: no module may rename the folder.
                const std::string message = "«" + currentPath + "» теперь папка, а не файл: пропущен.";
                m_sink.setStatusText(buffers.failure);
                m_sink.callFailed(currentPath, m_actions.caption(j), message);
                fileFailed(fileSerial, m_actions.caption(j), message);
                return;
            }
            if (found && m_recorder && !recording) {
                m_recorder->beginFile(currentPath, identity);
                recording = true;
            }
        }
        void *progressBar = m_sink.progressBarHandle();
        const char *before = name;
        m_sink.callStarting();
        const std::int64_t started = coarseMilliseconds();
        try {
            BrenmarkProcess process = moduleFunction<BrenmarkProcess>(record.Module, "process");
            if (!process)
                throw ModuleCallError("process");
            guardModuleCall(record.Module, [&] { process(&name, name, row, progressBar, &record.Options, BRENMARK_MODE_RUN); });
        } catch (const std::exception &error) {
            m_sink.setStatusText(buffers.failure);
            m_sink.callFailed(before, m_actions.caption(j), error.what());
            fileFailed(fileSerial, m_actions.caption(j), error.what());
        }
        lastCallMs = coarseMilliseconds() - started;
        if (!name)
            name = before;
        if (recording)
            m_recorder->afterCall(name);
    }
}

} // namespace brenmark
