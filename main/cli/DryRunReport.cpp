#include "main/cli/DryRunReport.h"

#include "main/cli/CollisionCheck.h"
#include "main/cli/PathQuoting.h"
#include "main/core/filelist/FileListModel.h"

namespace brenmark {

std::string dryRunLines(const FileListModel &files, int rows)
{
    std::string lines;
    size_t size = 0;
    for (int row = 0; row < rows && row < files.count(); ++row)
        size += files.currentPath(row).size() + files.newPath(row).size() + 2;
    lines.reserve(size);
    for (int row = 0; row < rows && row < files.count(); ++row) {
        appendQuotedPath(lines, files.currentPath(row));
        lines += '\t';
        appendQuotedPath(lines, files.newPath(row));
        lines += '\n';
    }
    return lines;
}

std::vector<std::string> collisionMessages(const FileListModel &files)
{
    std::vector<PathChange> changes;
    changes.reserve(size_t(files.count()));
    for (int row = 0; row < files.count(); ++row)
        changes.push_back({files.currentPath(row), files.newPath(row)});

    std::vector<std::string> messages;
    for (const Collision &collision : findCollisions(changes)) {
        if (collision.kind == Collision::Kind::SameTarget) {
            messages.push_back("brenmark-batch: один новый путь у нескольких файлов: " + quotePath(collision.newPath));
            for (size_t row : collision.rows)
                messages.push_back("    " + quotePath(changes[row].oldPath));
        } else {
            messages.push_back("brenmark-batch: новый путь уже занят: " + quotePath(collision.newPath) + " (для "
                               + quotePath(changes[collision.rows.front()].oldPath) + ")");
        }
    }
    return messages;
}

} // namespace brenmark
