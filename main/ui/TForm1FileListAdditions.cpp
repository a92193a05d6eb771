// The file list's sorting and folder adding: the items they add to pmFiles,
// the bbAddFolder button's command and what both start.
#include "main/ui/TForm1.h"

#include "main/core/batch/BatchRunner.h"
#include "main/core/filelist/FileListModel.h"
#include "main/ui/AddFolderDialog.h"
#include "main/ui/ErrorReport.h"
#include "main/ui/ProgramArt.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>

namespace brenmark {

namespace {

struct SortItemDesign
{
    const char *name;
    const char *caption;
    SortOrder order;
};

const SortItemDesign kSortItems[] = {
    {"mmSortNameUp", "По имени, А–Я", {SortKey::Name, false}},
    {"mmSortNameDown", "По имени, Я–А", {SortKey::Name, true}},
    {"mmSortFolderUp", "По папке и имени, А–Я", {SortKey::FolderAndName, false}},
    {"mmSortFolderDown", "По папке и имени, Я–А", {SortKey::FolderAndName, true}},
    {"mmSortDateUp", "По дате изменения, сначала старые", {SortKey::ModificationTime, false}},
    {"mmSortDateDown", "По дате изменения, сначала новые", {SortKey::ModificationTime, true}},
    {"mmSortSizeUp", "По размеру, сначала меньшие", {SortKey::Size, false}},
    {"mmSortSizeDown", "По размеру, сначала большие", {SortKey::Size, true}},
};

} // namespace

void TForm1::buildFileListAdditions()
{
    mmFileListSeparator = pmFiles->addSeparator();
    mmFileListSeparator->setObjectName(QStringLiteral("mmFileListSeparator"));
    auto *sortMenu = new QMenu(QStringLiteral("Сортировать"), pmFiles);
    sortMenu->setObjectName(QStringLiteral("mmSortMenu"));
    mmSort = sortMenu->menuAction();
    mmSort->setObjectName(QStringLiteral("mmSort"));
    pmFiles->addMenu(sortMenu);
    for (const SortItemDesign &design : kSortItems) {
        QAction *item = sortMenu->addAction(QString::fromUtf8(design.caption));
        item->setObjectName(QString::fromLatin1(design.name));
        item->setData(QVariant::fromValue(int(design.order.key) * 2 + int(design.order.descending)));
        mmSortItems.append(item);
    }
    mmAddFolder = pmFiles->addAction(buttonArt(ButtonArt::AddFolder), QStringLiteral("Добавить папку…"));
    mmAddFolder->setObjectName(QStringLiteral("mmAddFolder"));
}

void TForm1::connectFileListAdditions()
{
    for (QAction *item : mmSortItems) {
        connect(item, &QAction::triggered, this, [this, item] {
            const int code = item->data().toInt();
            reportErrors([&] { sortFiles({SortKey(code / 2), code % 2 == 1}); });
        });
    }
    connect(mmAddFolder, &QAction::triggered, this, [this] { reportErrors([this] { bbAddFolderClick(); }); });
    connect(bbAddFolder, &QPushButton::clicked, this, [this] { reportErrors([this] { bbAddFolderClick(); }); });
}

void TForm1::sortFiles(SortOrder order)
{
    // The run finds its rows again by their serials, which sorting renews.
    if (m_runner->isRunning())
        return;
    sortFileList(*m_files, order);
    UpdateFileCount();
    RebuildPreview();
}

void TForm1::bbAddFolderClick()
{
    // Never the working directory, which a program started from a menu does not choose.
    AddFolderDialog dialog(this, m_lastFolder.isEmpty() ? QDir::homePath() : m_lastFolder, m_folderOptions);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_lastFolder = dialog.folder();
    m_folderOptions = dialog.options();
    addFolder(QFile::encodeName(m_lastFolder).toStdString(), m_folderOptions);
}

void TForm1::addFolder(const std::string &folder, FolderWalkOptions options)
{
    m_files->appendDialogFiles(expandFolders({folder}, options));
    UpdateFileCount();
    RebuildPreview();
}

} // namespace brenmark
