#include "main/cli/DryRun.h"

#include "main/cli/CollisionCheck.h"
#include "main/cli/DryRunReport.h"
#include "main/cli/PathQuoting.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/filelist/BackgroundAddRule.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FolderListing.h"
#include "main/core/modulehost/VectorState.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

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

bool previewed(PreviewEngine &preview)
{
    try {
        preview.RebuildPreview();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

// Fills `files` with the accepted paths and their new paths, and starts
// seeking their collisions. The add rule lists the folders on another thread
// while the preview computes the new path of every path given and the files
// that would meet are found: in the usual case that all paths are files,
// that is the result. Only when the rule refused some path, or the preview
// failed (perhaps on a path that is no file), is the preview made again over
// the accepted rows alone, so the indices the modules see are those of the
// list. Whatever a module's preview throws then is for the caller.
std::unique_ptr<CollisionCheck> addAndPreview(const std::vector<std::string_view> &paths, BackgroundAddRule &rule,
                                              FileListModel &files, PreviewEngine &preview)
{
    files.appendUncheckedListPaths(paths);
    std::unique_ptr<CollisionCheck> check;
    if (previewed(preview))
        check = startCollisionCheck(files);
    const std::vector<char> &verdicts = rule.verdicts();
    if (check && std::find(verdicts.begin(), verdicts.end(), 0) == verdicts.end())
        return check;
    check.reset();
    // The refused rows go; the paths' bytes may lie in the list's store and
    // stay there for the rows kept.
    RowSelection refused(files.count());
    for (size_t i = 0; i < verdicts.size(); ++i)
        refused.set(int(i), !verdicts[i]);
    files.removeRows(refused);
    preview.RebuildPreview();
    return startCollisionCheck(files);
}

} // namespace

ExitCode runDryRun(FileListModel &files, const std::vector<std::string_view> &paths, BackgroundAddRule &rule,
                   const FolderListingCache &listings, ActionChainModel &chain)
{
    QuietSink sink;
    // The dry run is asked for explicitly: it computes paths even when the
    // window's preview is switched off in the settings.
    PreviewEngine preview(files, chain, sink, [] { return PreviewSettings {false, false}; });
    std::unique_ptr<CollisionCheck> check;
    try {
        check = addAndPreview(paths, rule, files, preview);
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
    // Both only read the finished list: the collisions are sought while the
    // lines are written.
    std::vector<std::string> collisions;
    std::exception_ptr seekFailure;
    std::thread seeker;
    try {
        seeker = std::thread([&] {
            clearUpperVectorState();
            try {
                collisions = collisionMessages(*check, &listings);
            } catch (...) {
                seekFailure = std::current_exception();
            }
        });
    } catch (const std::system_error &) {
        collisions = collisionMessages(*check, &listings); // no thread to be had
    }
    struct Joiner
    {
        std::thread &thread;
        ~Joiner()
        {
            if (thread.joinable())
                thread.join();
        }
    } joiner {seeker};
    const ExitCode written = writeOutput(files, files.count());
    if (seeker.joinable())
        seeker.join();
    if (seekFailure)
        std::rethrow_exception(seekFailure);
    for (const std::string &line : collisions)
        std::fprintf(stderr, "%s\n", line.c_str());
    if (written != ExitCode::Done)
        return written;
    return collisions.empty() ? ExitCode::Done : ExitCode::Collisions;
}

} // namespace brenmark
