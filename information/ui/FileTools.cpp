#include "information/ui/FileTools.h"

#include "information/core/FilePathParts.h"
#include "information/core/ManualRename.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QUrl>

namespace brenmark {

QString N21Click(QWidget *parent, const QString &currentPath)
{
    const QString currentName = fileNamePart(currentPath);
    bool confirmed = false;
    QString answer = QInputDialog::getText(parent, QStringLiteral("Переименование"),
                                           QStringLiteral("Название файла:"), QLineEdit::Normal, currentName,
                                           &confirmed);
    if (!confirmed)
        answer = currentName;
    return renameSourceFile(currentPath, answer);
}

void openFileWithDesktop(const QString &path, bool runFiles)
{
    if (!runFiles || path.isEmpty())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace brenmark
