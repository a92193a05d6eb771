#include "main/ui/AddFolderDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QVBoxLayout>

namespace brenmark {

AddFolderDialog::AddFolderDialog(QWidget *parent, const QString &startFolder, FolderWalkOptions options)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fmAddFolder"));
    setWindowTitle(QStringLiteral("Добавить папку"));
    auto *layout = new QVBoxLayout(this);

    // The chooser lives inside this dialog, so its own widgets (not the
    // desktop's dialog) are used; its buttons end this dialog.
    odAddFolder = new QFileDialog(this, QString(), startFolder);
    odAddFolder->setObjectName(QStringLiteral("odAddFolder"));
    odAddFolder->setWindowFlags(Qt::Widget);
    odAddFolder->setOption(QFileDialog::DontUseNativeDialog);
    odAddFolder->setOption(QFileDialog::ShowDirsOnly);
    odAddFolder->setFileMode(QFileDialog::Directory);
    odAddFolder->setSizeGripEnabled(false);
    layout->addWidget(odAddFolder);
    connect(odAddFolder, &QFileDialog::accepted, this, &QDialog::accept);
    connect(odAddFolder, &QFileDialog::rejected, this, &QDialog::reject);

    chb_subfolders = new QCheckBox(QStringLiteral("Включая подпапки"), this);
    chb_subfolders->setObjectName(QStringLiteral("chb_subfolders"));
    chb_subfolders->setChecked(options.subfolders);
    layout->addWidget(chb_subfolders);
    chb_hidden = new QCheckBox(QStringLiteral("Включая скрытые файлы и папки"), this);
    chb_hidden->setObjectName(QStringLiteral("chb_hidden"));
    chb_hidden->setChecked(options.hidden);
    layout->addWidget(chb_hidden);
    connect(chb_hidden, &QCheckBox::toggled, this, &AddFolderDialog::showHiddenFolders);
    showHiddenFolders(options.hidden);
}

void AddFolderDialog::showHiddenFolders(bool shown)
{
    QDir::Filters filter = odAddFolder->filter();
    filter.setFlag(QDir::Hidden, shown);
    odAddFolder->setFilter(filter);
}

QString AddFolderDialog::folder() const
{
    const QStringList chosen = odAddFolder->selectedFiles();
    return chosen.isEmpty() ? odAddFolder->directory().absolutePath() : chosen.front();
}

FolderWalkOptions AddFolderDialog::options() const
{
    return {chb_subfolders->isChecked(), chb_hidden->isChecked()};
}

} // namespace brenmark
