#include "main/cli/DryRun.h"

#include "main/cli/CollisionCheck.h"
#include "main/cli/DryRunReport.h"
#include "main/cli/PathQuoting.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/filelist/FileListModel.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace brenmark {
namespace {

// The preview's sink without a window: nothing to show while paths are computed.
class QuietSink final : public BatchSink
{
public:
    void setProgressMaximum(int) override {}
    void setProgressPosition(int) override {}
    void setStatusText(const QString &) override {}
};

void printError(const std::string &text)
{
    std::fprintf(stderr, "brenmark-batch: %s\n", text.c_str());
}

ExitCode writeOutput(const FileListModel &files, int rows)
{
    if (writeDryRunLines(files, rows, stdout))
        return ExitCode::Done;
    printError("не удалось записать результат в стандартный вывод");
    return ExitCode::UsageError;
}

} // namespace

ExitCode runDryRun(FileListModel &files, ActionChainModel &chain)
{
    QuietSink sink;
    // The dry run is asked for explicitly: it computes paths even when the
    // window's preview is switched off in the settings.
    PreviewEngine preview(files, chain, sink, [] { return PreviewSettings {false, false}; });
    try {
        preview.RebuildPreview();
    } catch (const std::exception &error) {
        // The rows before the failing one hold their new paths: print those.
        int row = 0;
        while (row < files.count() && files.hasNewPath(row))
            ++row;
        writeOutput(files, row);
        std::string path = row < files.count() ? std::string(files.currentPath(row)) : std::string();
        printError("ошибка при расчёте нового пути: " + quotePath(path) + ": " + error.what());
        return ExitCode::CallsFailed;
    }
    const ExitCode written = writeOutput(files, files.count());
    const std::vector<std::string> collisions = collisionMessages(*startCollisionCheck(files));
    for (const std::string &line : collisions)
        std::fprintf(stderr, "%s\n", line.c_str());
    if (written != ExitCode::Done)
        return written;
    return collisions.empty() ? ExitCode::Done : ExitCode::Collisions;
}

} // namespace brenmark
