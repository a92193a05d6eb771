#include "main/cli/DryRun.h"

#include "main/cli/PathQuoting.h"
#include "main/core/batch/BatchSink.h"
#include "main/core/batch/CollisionCheck.h"
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
    } else {
        printError("новый путь уже занят: " + quotePath(collision.newPath) + " (для "
                   + quotePath(files.currentPath(int(collision.rows.front()))) + ")");
    }
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
        writeLines(files, row);
        const std::string path = row < files.count() ? std::string(files.currentPath(row)) : std::string();
        printError("ошибка при расчёте нового пути: " + quotePath(path) + ": " + error.what());
        return ExitCode::CallsFailed;
    }
    const ExitCode written = writeLines(files, files.count());
    const std::vector<Collision> collisions = findCollisions(files);
    for (const Collision &collision : collisions)
        printCollision(collision, files);
    if (written != ExitCode::Done)
        return written;
    return collisions.empty() ? ExitCode::Done : ExitCode::Collisions;
}

} // namespace brenmark
