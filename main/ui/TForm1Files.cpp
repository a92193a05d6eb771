// The file list's commands: adding (dialog, drop), removing, the selection commands,
// the status line and the file tools.
#include "main/ui/TForm1.h"

#include "information/ui/FileTools.h"
#include "information/ui/TfmInfo.h"
#include "main/core/batch/BatchRunner.h"
#include "main/core/batch/CollisionMarks.h"
#include "main/core/batch/PreviewEngine.h"
#include "main/core/batch/RunTexts.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/RowSelection.h"
#include "main/core/filelist/UriList.h"
#include "main/core/modulehost/ProgramPaths.h"
#include "main/core/undo/UndoRun.h"
#include "main/ui/ErrorReport.h"
#include "main/ui/UndoDialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QSysInfo>

namespace brenmark {

namespace {

std::string pathBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// Local files of a drop from the file manager, in the drop's order. Read from the
// raw list: through QUrl a name that is not valid UTF-8 would lose its bytes.
std::vector<std::string> droppedPaths(const QMimeData *data)
{
    const QString uriList = QStringLiteral("text/uri-list");
    if (!data || !data->hasFormat(uriList))
        return {};
    const QByteArray list = data->data(uriList);
    return localPathsOfUriList(std::string_view(list.constData(), size_t(list.size())),
                               QSysInfo::machineHostName().toStdString());
}

} // namespace

void TForm1::connectFileCommands()
{
    const auto command = [this](QAction *item, void (TForm1::*handler)()) {
        connect(item, &QAction::triggered, this, [this, handler] { reportErrors([&] { (this->*handler)(); }); });
    };
    const auto tagged = [this](QAction *item, void (TForm1::*handler)(int)) {
        connect(item, &QAction::triggered, this, [this, item, handler] {
            reportErrors([&] { (this->*handler)(item->data().toInt()); });
        });
    };
    command(N1, &TForm1::N1Click);
    command(N13, &TForm1::N13Click);
    for (QAction *item : {N15, N16, N17})
        tagged(item, &TForm1::N15Click);
    for (QAction *item : {N27, N28})
        tagged(item, &TForm1::N27Click);
    command(N18, &TForm1::N18Click);
    command(N19, &TForm1::N19Click);
    command(N21, &TForm1::N21Click);
    command(N25, &TForm1::N25Click);
    command(N29, &TForm1::N29Click);
    command(N22, &TForm1::N22Click);
    connect(bbAddFiles, &QPushButton::clicked, this, [this] { reportErrors([this] { bbAddFilesClick(); }); });
    connect(bbRemSel, &QPushButton::clicked, this, [this] { reportErrors([this] { N1Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { reportErrors([this] { N13Click(); }); });
    connect(lbFiles, &QListView::doubleClicked, this, [this] { reportErrors([this] { lbFilesDblClick(); }); });
    connect(lbFiles->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TForm1::UpdateFileCount);
    connect(m_files, &FileListModel::rowsRewritten, this, [this](int first, int last) {
        lbFiles->selectionModel()->select(QItemSelection(m_files->index(first), m_files->index(last)),
                                          QItemSelectionModel::Deselect);
    });
    lbFiles->installEventFilter(this);
    connectFileListAdditions();
}

RowSelection TForm1::fileSelection() const
{
    return RowSelection::fromItemSelection(lbFiles->selectionModel()->selection(), m_files->count());
}

void TForm1::setFileSelection(const RowSelection &selection)
{
    QItemSelectionModel *model = lbFiles->selectionModel();
    model->select(selection.toItemSelection(*m_files), QItemSelectionModel::ClearAndSelect);
    if (const int first = selection.first(); first >= 0)
        model->setCurrentIndex(m_files->index(first), QItemSelectionModel::NoUpdate);
}

void TForm1::UpdateFileCount()
{
    const int selected = selectedRowCount(lbFiles->selectionModel()->selection());
    sbFiles->showMessage(FileListModel::fileCountText(selected, m_files->count())
                         + collisionCountText(m_files->markedRows(FileListModel::RowMark::Collision)));
}

void TForm1::refreshCollisions()
{
    if (m_files->markedRows(FileListModel::RowMark::Collision) > 0)
        markCollisions(*m_files);
}

void TForm1::bbAddFilesClick()
{
    QFileDialog odAddFiles(this, QStringLiteral("Добавить файлы в список"));
    odAddFiles.setObjectName(QStringLiteral("odAddFiles"));
    odAddFiles.setFileMode(QFileDialog::ExistingFiles);
    // "*.*" of the original filter would hide files without a dot here.
    odAddFiles.setNameFilter(QStringLiteral("Все файлы (*)"));
    if (odAddFiles.exec() != QDialog::Accepted)
        return;
    std::vector<std::string> paths;
    for (const QString &file : odAddFiles.selectedFiles())
        paths.push_back(pathBytes(file));
    m_files->appendDialogFiles(paths);
    UpdateFileCount();
    RebuildPreview();
}

void TForm1::addDroppedFiles(const std::vector<std::string> &paths)
{
    // A failing module ends the drop; the files before it stay and are counted.
    try {
        m_preview->appendDroppedFiles(paths);
    } catch (...) {
        UpdateFileCount();
        throw;
    }
    UpdateFileCount();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPaths(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    std::vector<std::string> paths = droppedPaths(event->mimeData());
    if (paths.empty())
        return;
    if (event->modifiers().testFlag(Qt::ShiftModifier)) {
        // Shift asks the file manager for a move: taken as a copy, so the
        // source never takes the files for moved away.
        event->setDropAction(Qt::CopyAction);
        event->accept();
        // A dropped folder with Shift stands for the files under it.
        paths = expandFolders(paths, FolderWalkOptions {true, false});
    } else {
        event->acceptProposedAction();
    }
    reportErrors([&] { addDroppedFiles(paths); });
}

void TForm1::N1Click()
{
    m_files->removeRows(fileSelection());
    refreshCollisions();
    UpdateFileCount();
}

bool TForm1::lbFilesKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        reportErrors([this] {
            const RowSelection next = m_files->removeSelectedByKey(fileSelection());
            refreshCollisions();
            setFileSelection(next);
            UpdateFileCount();
        });
        return true;
    }
    if (event->modifiers().testFlag(Qt::KeypadModifier)
        && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
        const int tag = event->key() == Qt::Key_Plus ? 0 : 1;
        reportErrors([this, tag] { N27Click(tag); });
        return true;
    }
    return false;
}

void TForm1::N13Click()
{
    m_files->clear();
    UpdateFileCount();
}

void TForm1::N15Click(int tag)
{
    setFileSelection(m_files->selectByChange(static_cast<FileListModel::ChangeKind>(tag)));
    UpdateFileCount();
}

void TForm1::N27Click(int tag)
{
    bool accepted = false;
    const QString mask = QInputDialog::getText(this, QStringLiteral("Добавить к выделению"), QStringLiteral("Маска:"),
                                               QLineEdit::Normal, QString(), &accepted);
    if (!accepted || mask.isEmpty())
        return;
    setFileSelection(m_files->filterByMask(fileSelection(), mask.toStdString(),
                                           static_cast<FileListModel::MaskMode>(tag)));
    UpdateFileCount();
}

void TForm1::N18Click()
{
    setFileSelection(FileListModel::invert(fileSelection()));
    UpdateFileCount();
}

void TForm1::N19Click()
{
    setFileSelection(m_files->selectAll());
    UpdateFileCount();
}

int TForm1::fileToolRow() const
{
    const QModelIndex current = lbFiles->currentIndex();
    return current.isValid() && current.row() < m_files->count() ? current.row() : -1;
}

void TForm1::N21Click()
{
    const int row = fileToolRow();
    if (row < 0)
        return;
    m_files->setEntry(row, brenmark::N21Click(this, m_files->entry(row), [this, row](const std::string &path) {
        return m_preview->PreviewFile(path, row);
    }));
}

void TForm1::N25Click()
{
    lbFilesDblClick();
}

std::string TForm1::journalPath() const
{
    return m_programDir.isEmpty() ? std::string() : QFile::encodeName(runJournalPath(m_programDir)).toStdString();
}

bool TForm1::canUndo() const
{
    return !m_runner->isRunning() && !journalPath().empty() && undoAvailable(journalPath());
}

void TForm1::N29Click()
{
    if (canUndo())
        undoLastRunWithDialogs(this, journalPath());
}

void TForm1::lbFilesDblClick()
{
    if (const int row = fileToolRow(); row >= 0)
        openFileWithDesktop(std::string(m_files->currentPath(row)), currentSettings().runFiles);
}

void TForm1::N22Click()
{
    const int row = fileToolRow();
    if (row < 0 || !m_info)
        return;
    m_info->N22Click(std::string(m_files->currentPath(row)),
                     [this, row](const std::string &path) { return m_preview->PreviewFile(path, row); });
}

} // namespace brenmark
