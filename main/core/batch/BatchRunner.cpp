#include "main/core/batch/BatchRunner.h"

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <vector>

#include <sys/stat.h>

namespace brenmark {

struct BatchRunner::FileBuffers
{
    std::string currentPath;
    std::vector<std::uint64_t> actions;
    QString failure = QString::fromUtf8("Ошибка!");
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

bool namesFolder(const std::string &path)
{
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
    m_sink.setProgressPosition(0);
    m_sink.setProgressMaximum(total);
    m_stopRequested = false;

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
        runFile(row, buffers);
    }

    m_sink.setProgressPosition(0);
    m_sink.setStatusText(QString());
    m_running = false;
    if (stopping())
        return false;
    m_files.clear();
    return true;
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
    const bool showsCallStatus = m_sink.showsCallStatus();

    for (std::uint64_t actionSerial : actions) {
        int j = m_actions.rowOfSerial(actionSerial);
        if (j < 0 || !m_actions.isChecked(j))
            continue;
        if (stopping())
            break;
        if (showsCallStatus)
            m_sink.setStatusText(statusText(currentPath, m_actions.caption(j)));
        m_sink.processPendingEvents();

        j = m_actions.rowOfSerial(actionSerial);
        if (j < 0 || !m_actions.isChecked(j))
            continue;
        // The file index is the row's position now (rows before it may be gone).
        const int fileIndex = m_files.rowAfterSerial(fileSerial - 1, row);
        if (fileIndex >= 0 && m_files.serial(fileIndex) == fileSerial)
            row = fileIndex;
        TListData &record = m_actions.record(j);
        if (name == currentPath.c_str() && namesFolder(currentPath)) {
            // Replaced by a folder since it was listed: no module may rename the folder.
            m_sink.setStatusText(buffers.failure);
            m_sink.callFailed(currentPath, m_actions.caption(j),
                              "«" + currentPath + "» теперь папка, а не файл: пропущен.");
            return;
        }
        void *progressBar = m_sink.progressBarHandle();
        const char *before = name;
        m_sink.callStarting();
        try {
            BrenmarkProcess process = moduleFunction<BrenmarkProcess>(record.Module, "process");
            if (!process)
                throw ModuleCallError("process");
            guardModuleCall(record.Module, [&] { process(&name, name, row, progressBar, &record.Options, BRENMARK_MODE_RUN); });
        } catch (const std::exception &error) {
            m_sink.setStatusText(buffers.failure);
            m_sink.callFailed(before, m_actions.caption(j), error.what());
        }
        if (!name)
            name = before;
    }
}

} // namespace brenmark
