#include "main/cli/DryRunReport.h"

#include "main/cli/CollisionCheck.h"
#include "main/cli/PathQuoting.h"
#include "main/core/filelist/FileListModel.h"

namespace brenmark {

bool writeDryRunLines(const FileListModel &files, int rows, std::FILE *out)
{
    constexpr size_t kBlock = 1 << 16;
    std::string block;
    block.reserve(kBlock + 4096);
    bool written = true;
    auto flush = [&] {
        written = written && std::fwrite(block.data(), 1, block.size(), out) == block.size();
        block.clear();
    };
    for (int row = 0; row < rows && row < files.count(); ++row) {
        appendQuotedPath(block, files.currentPath(row));
        block += '\t';
        appendQuotedPath(block, files.newPath(row));
        block += '\n';
        if (block.size() >= kBlock)
            flush();
    }
    flush();
    return std::fflush(out) == 0 && written;
}

std::unique_ptr<CollisionCheck> startCollisionCheck(const FileListModel &files)
{
    return std::make_unique<CollisionCheck>(size_t(files.count()), [&files](size_t row) {
        return PathChange {files.currentPath(int(row)), files.newPath(int(row))};
    });
}

std::vector<std::string> collisionMessages(CollisionCheck &check)
{
    std::vector<std::string> messages;
    for (const Collision &collision : check.collisions()) {
        if (collision.kind == Collision::Kind::SameTarget) {
            messages.push_back("brenmark-batch: один новый путь у нескольких файлов: " + quotePath(collision.newPath));
            for (size_t row : collision.rows)
                messages.push_back("    " + quotePath(check.change(row).oldPath));
        } else {
            messages.push_back("brenmark-batch: новый путь уже занят: " + quotePath(collision.newPath) + " (для "
                               + quotePath(check.change(collision.rows.front()).oldPath) + ")");
        }
    }
    return messages;
}

} // namespace brenmark
