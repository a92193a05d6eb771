#include "main/core/batch/PreviewEngine.h"

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/ChainFileCount.h"
#include "main/core/batch/CollisionMarks.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileIconList.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

namespace brenmark {

PreviewEngine::PreviewEngine(FileListModel &files, ActionChainModel &actions, BatchSink &sink,
                             SettingsSource settings)
    : m_files(files)
    , m_actions(actions)
    , m_sink(sink)
    , m_settings(std::move(settings))
{
}

PreviewSettings PreviewEngine::settings() const
{
    return m_settings ? m_settings() : PreviewSettings {};
}

std::string PreviewEngine::PreviewFile(const std::string &path, int index)
{
    if (settings().noPreview)
        return {};
    tellChainFileCount(m_actions, m_files.count());
    return runChain(path.c_str(), index, m_sink.progressBarHandle());
}

const char *PreviewEngine::runChain(const char *path, int index, void *progressBar)
{
    // The running name: first the host's path text, then whatever text the last
    // action pointed it at (the module's, valid until its next call).
    const char *name = path;
    for (int row = 0; row < m_actions.count(); ++row) {
        if (!m_actions.isChecked(row))
            continue;
        TListData &record = m_actions.record(row);
        BrenmarkProcess process = moduleFunction<BrenmarkProcess>(record.Module, "process");
        if (!process)
            continue;
        const char *before = name;
        guardModuleCall(record.Module, [&] { process(&name, path, index, progressBar, &record.Options, BRENMARK_MODE_PREVIEW); });
        if (!name)
            name = before;
        if (m_stepObserver)
            m_stepObserver(index, name);
    }
    return name;
}

int PreviewEngine::iconIndexFor(const std::string &path) const
{
    return settings().showIcons ? FileIconList::instance().iconIndex(path) : 0;
}

int PreviewEngine::appendDroppedFiles(const std::vector<std::string> &paths)
{
    // Collisions are looked for once the whole drop is in, also when a module
    // ended it early: the rows before the failure are in the list.
    const int before = m_files.count();
    const auto markAfterDrop = [this, before] {
        const PreviewSettings current = settings();
        if (current.markCollisions && !current.noPreview && m_files.count() > before)
            markCollisionsOfAppended(m_files, before);
    };
    int appended = 0;
    try {
        appended = m_files.appendDroppedFiles(paths, [this](const std::string &path, int index) {
            std::string newPath;
            if (!settings().noPreview)
                newPath = runChain(path.c_str(), index, m_sink.progressBarHandle());
            return FileListModel::DroppedRow {iconIndexFor(path), std::move(newPath)};
        });
    } catch (...) {
        markAfterDrop();
        throw;
    }
    // A module that pads numbers to the list's size may now pad every row
    // differently: the whole preview is built again (which marks collisions).
    if (appended > 0 && !settings().noPreview && chainTakesFileCount(m_actions)) {
        RebuildPreview();
        return appended;
    }
    markAfterDrop();
    return appended;
}

void PreviewEngine::RebuildPreview()
{
    if (m_rebuilding) {
        m_rebuildAgain = true;
        return;
    }
    struct Flag
    {
        bool &flag;
        ~Flag() { flag = false; }
    } rebuilding {m_rebuilding};
    m_rebuilding = true;
    do {
        m_rebuildAgain = false;
        const PreviewSettings current = settings();
        if (current.noPreview)
            return;
        rebuildOnce(current);
    } while (m_rebuildAgain);
}

void PreviewEngine::rebuildOnce(const PreviewSettings &current)
{
    m_sink.setStatusText(QString::fromUtf8("Построение предпросмотра"));
    m_sink.paintStatusNow();
    const int total = m_files.count();
    tellChainFileCount(m_actions, total);
    m_sink.setProgressMaximum(total);
    m_sink.setProgressPosition(0);
    {
        FileListModel::Rewrite rewrite(m_files);
        void *progressBar = m_sink.progressBarHandle();
        std::string path;
        for (int row = 0; row < total && row < m_files.count(); ++row) {
            m_sink.setProgressPosition(row + 1);
            // A copy: the module calls below may change the list's storage.
            path.assign(m_files.currentPath(row));
            const char *newPath = runChain(path.c_str(), row, progressBar);
            int icon = current.showIcons ? FileIconList::instance().iconIndex(path) : 0;
            rewrite.setRow(row, icon, newPath);
        }
    }
    if (current.markCollisions)
        markCollisions(m_files);
    m_sink.setProgressPosition(0);
    m_sink.setStatusText(QString());
}

} // namespace brenmark
