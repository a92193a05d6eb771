#include "main/core/batch/CollisionMarks.h"

#include "main/core/batch/CollisionCheck.h"
#include "main/core/filelist/FileListModel.h"

#include <QString>

#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace brenmark {

namespace {

QString shown(std::string_view path)
{
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}

std::string_view nameOf(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view targetOf(const FileListModel &files, int row)
{
    return files.hasNewPath(row) ? files.newPath(row) : files.currentPath(row);
}

// Marks for the collisions of `rows` (list rows, in list order) that fall on
// rows from `firstMarked` on.
std::vector<std::pair<int, QString>> collisionMarks(const FileListModel &files, const std::vector<int> &rows,
                                                    int firstMarked)
{
    std::vector<PathChange> changes;
    changes.reserve(rows.size());
    for (int row : rows)
        changes.push_back({files.currentPath(row), targetOf(files, row)});
    std::vector<std::pair<int, QString>> marks;
    for (const Collision &collision : findCollisions(changes)) {
        if (collision.kind == Collision::Kind::SameTarget) {
            const QString first = shown(files.currentPath(rows[collision.rows.front()]));
            for (size_t at = 1; at < collision.rows.size(); ++at)
                if (rows[collision.rows[at]] >= firstMarked)
                    marks.emplace_back(rows[collision.rows[at]],
                                       QString::fromUtf8("Такое имя получит и файл «%1».").arg(first));
        } else if (rows[collision.rows.front()] >= firstMarked) {
            const char *reason = collision.kind == Collision::Kind::FolderIsFile
                ? "Путь «%1» ведёт внутрь файла, а не папки."
                : "Файл «%1» уже существует.";
            marks.emplace_back(rows[collision.rows.front()], QString::fromUtf8(reason).arg(shown(collision.newPath)));
        }
    }
    return marks;
}

} // namespace

int markCollisions(FileListModel &files)
{
    std::vector<int> rows(size_t(files.count()));
    for (int row = 0; row < files.count(); ++row)
        rows[size_t(row)] = row;
    files.setCollisionMarks(collisionMarks(files, rows, 0));
    return files.markedRows(FileListModel::RowMark::Collision);
}

void markCollisionsOfAppended(FileListModel &files, int firstAppended)
{
    if (firstAppended <= 0) {
        markCollisions(files);
        return;
    }
    // An earlier row matters to a new one only by the same new name (one
    // target) or by its file's name (it may move the target away first). A row
    // marked as colliding moves nothing away.
    std::unordered_set<std::string_view> names;
    for (int row = firstAppended; row < files.count(); ++row)
        names.insert(nameOf(targetOf(files, row)));
    std::vector<int> rows;
    for (int row = 0; row < firstAppended; ++row)
        if (files.mark(row) != FileListModel::RowMark::Collision
            && (names.count(nameOf(targetOf(files, row))) || names.count(nameOf(files.currentPath(row)))))
            rows.push_back(row);
    for (int row = firstAppended; row < files.count(); ++row)
        rows.push_back(row);
    files.addCollisionMarks(collisionMarks(files, rows, firstAppended));
}

} // namespace brenmark
