#include "main/cli/DryRun.h"

#include "main/cli/PathQuoting.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/CollisionCheck.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/chain/ActionChainModel.h"
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

// The first `rows` rows, "old<TAB>new" each, written in blocks as they are
// formed, so a million rows never sit in memory twice.
ExitCode writeLines(const FileListModel &files, int rows)
{
    constexpr size_t kBlock = 1 << 16;
    std::string block;
    block.reserve(kBlock + 4096);
    bool written = true;
    auto flush = [&] {
        written = written && std::fwrite(block.data(), 1, block.size(), stdout) == block.size();
        block.clear();
    };
    for (int row = 0; row < rows; ++row) {
        appendQuotedPath(block, files.currentPath(row));
        block += '\t';
        appendQuotedPath(block, files.newPath(row));
        block += '\n';
        if (block.size() >= kBlock)
            flush();
    }
    flush();
    if (std::fflush(stdout) == 0 && written)
        return ExitCode::Done;
    printError("не удалось записать результат в стандартный вывод");
    return ExitCode::UsageError;
}

void printCollision(const Collision &collision, const FileListModel &files)
{
    if (collision.kind == Collision::Kind::SameTarget) {
        printError("один новый путь у нескольких файлов: " + quotePath(collision.newPath));
        for (size_t row : collision.rows)
            std::fprintf(stderr, "    %s\n", quotePath(files.currentPath(int(row))).c_str());
        return;
    }
    const int row = int(collision.rows.front());
    // A step on the way is refused: the line says where the file was going in the end.
    const bool onTheWay = collision.newPath != files.newPath(row);
    const std::string what = collision.kind == Collision::Kind::FolderIsFile
        ? (onTheWay ? "промежуточный путь ведёт внутрь файла, а не папки: " : "новый путь ведёт внутрь файла, а не папки: ")
        : (onTheWay ? "промежуточный путь уже занят: " : "новый путь уже занят: ");
    printError(what + quotePath(collision.newPath) + " (для " + quotePath(files.currentPath(row))
               + (onTheWay ? " → " + quotePath(files.newPath(row)) : std::string()) + ")");
}

int enabledActions(const ActionChainModel &chain)
{
    int enabled = 0;
    for (int row = 0; row < chain.count(); ++row)
        enabled += chain.isChecked(row);
    return enabled;
}

// The paths the run puts each file at between its actions: those the chain
// gave after each action, without the repeats of actions that left the path
// as it was, nor the old and the new path themselves.
IntermediatePaths pathsOnTheWay(const FileListModel &files, const IntermediatePaths &afterEachAction)
{
    IntermediatePaths between;
    if (afterEachAction.empty())
        return between;
    for (int row = 0; row < files.count(); ++row) {
        std::vector<std::string_view> way {files.currentPath(row)};
        for (std::string_view path : afterEachAction.of(size_t(row))) {
            if (path != way.back())
                way.push_back(path);
        }
        if (way.size() > 1 && way.back() == files.newPath(row))
            way.pop_back();
        for (size_t at = 1; at < way.size(); ++at)
            between.add(size_t(row), way[at]);
    }
    return between;
}

} // namespace

ExitCode runDryRun(FileListModel &files, ActionChainModel &chain)
{
    QuietSink sink;
    // The dry run is asked for explicitly: it computes paths even when the
    // window's preview is switched off in the settings.
    PreviewEngine preview(files, chain, sink, [] { return PreviewSettings {false, false}; });
    // A single action renames each file at once: nothing lies on the way.
    IntermediatePaths afterEachAction;
    if (enabledActions(chain) > 1)
        preview.setStepObserver([&afterEachAction](int row, const char *path) { afterEachAction.add(size_t(row), path); });
    try {
        preview.RebuildPreview();
    } catch (const std::exception &error) {
        // The rows before the failing one hold their new paths: print those.
        int row = 0;
        while (row < files.count() && files.hasNewPath(row))
            ++row;
        writeLines(files, row);
        const std::string path = row < files.count() ? std::string(files.currentPath(row)) : std::string();
        printError("ошибка при расчёте нового пути: " + quotePath(path) + ": " + error.what());
        return ExitCode::CallsFailed;
    }
    const ExitCode written = writeLines(files, files.count());
    const std::vector<Collision> collisions = findCollisions(files, pathsOnTheWay(files, afterEachAction));
    for (const Collision &collision : collisions)
        printCollision(collision, files);
    if (written != ExitCode::Done)
        return written;
    return collisions.empty() ? ExitCode::Done : ExitCode::Collisions;
}

} // namespace brenmark
