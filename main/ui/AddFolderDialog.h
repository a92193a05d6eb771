#pragma once

#include "main/core/filelist/FolderWalk.h"

#include <QDialog>

class QCheckBox;
class QFileDialog;

namespace brenmark {

// "Добавить папку": a folder chooser with the two choices of the folder
// walk under it. Asks only; the window adds the files.
class AddFolderDialog : public QDialog
{
    Q_OBJECT
public:
    AddFolderDialog(QWidget *parent, const QString &startFolder, FolderWalkOptions options);

    // The chosen folder (the one shown when none is selected).
    QString folder() const;
    FolderWalkOptions options() const;

    QFileDialog *odAddFolder = nullptr;
    QCheckBox *chb_subfolders = nullptr;
    QCheckBox *chb_hidden = nullptr;

private:
    void showHiddenFolders(bool shown);
};

} // namespace brenmark
