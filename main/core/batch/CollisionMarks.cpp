#include "main/core/batch/CollisionMarks.h"

#include "main/core/batch/CollisionCheck.h"
#include "main/core/filelist/FileListModel.h"

#include <QString>

#include <utility>
#include <vector>

namespace brenmark {

namespace {

QString shown(std::string_view path)
{
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}

} // namespace

int markCollisions(FileListModel &files)
{
    std::vector<std::pair<int, QString>> marks;
    for (const Collision &collision : findCollisions(files)) {
        if (collision.kind == Collision::Kind::SameTarget) {
            const QString first = shown(files.currentPath(int(collision.rows.front())));
            for (size_t at = 1; at < collision.rows.size(); ++at)
                marks.emplace_back(int(collision.rows[at]),
                                   QString::fromUtf8("Такое имя получит и файл «%1».").arg(first));
        } else {
            marks.emplace_back(int(collision.rows.front()),
                               QString::fromUtf8("Файл «%1» уже существует.").arg(shown(collision.newPath)));
        }
    }
    files.setCollisionMarks(marks);
    return files.markedRows(FileListModel::RowMark::Collision);
}

} // namespace brenmark
