#include "information/ui/FileTools.h"

#include "information/core/FilePathParts.h"
#include "information/core/ManualRename.h"

#include <QDesktopServices>
#include <QFile>
#include <QInputDialog>
#include <QUrl>

namespace brenmark {

std::string askNewFileName(QWidget *parent, const std::string &currentPath)
{
    const std::string currentName = fileNamePart(currentPath);
    const QString shown = QFile::decodeName(QByteArray::fromStdString(currentName));
    bool confirmed = false;
    const QString answer = QInputDialog::getText(parent, QStringLiteral("Переименование"),
                                                 QStringLiteral("Название файла:"), QLineEdit::Normal, shown,
                                                 &confirmed);
    if (!confirmed || answer == shown)
        return currentName;
    return QFile::encodeName(answer).toStdString();
}

FileEntry N21Click(QWidget *parent, const FileEntry &row, const PreviewFunction &preview)
{
    return renameRowFile(row, askNewFileName(parent, row.currentPath), preview);
}

void openFileWithDesktop(const std::string &path, bool runFiles)
{
    if (!runFiles || path.empty())
        return;
    const QByteArray bytes = QByteArray::fromStdString(path);
    const QString decoded = QString::fromUtf8(bytes);
    // A name that is not valid UTF-8 goes to the opener percent-encoded, byte for byte.
    const QUrl url = decoded.toUtf8() == bytes ? QUrl::fromLocalFile(decoded)
                                               : QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"));
    QDesktopServices::openUrl(url);
}

} // namespace brenmark
