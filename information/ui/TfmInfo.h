#pragma once

#include "information/core/FileInformation.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace brenmark {

// "Информация о файле": one file's name, folder, size, CRC-32 and
// attributes now, beside its name and folder after the action chain. Created
// once and reused; each use fills every field anew.
class TfmInfo : public QDialog
{
    Q_OBJECT

public:
    explicit TfmInfo(QWidget *parent = nullptr);

    // The information command for the file at `path`: reads it, asks `preview`
    // for the path after the chain (empty while the preview is off) and shows
    // the dialog modally. Throws std::runtime_error with the user's message
    // when the file cannot be read; the dialog is then not shown.
    void N22Click(const std::string &path, const PreviewFunction &preview);

    // Fills the fields without showing the dialog.
    void showInformation(const FileInformation &information);

private:
    void SpeedButton1Click();

    QLineEdit *m_edNameNow;
    QLineEdit *m_edNameAft;
    QLineEdit *m_edPathNow;
    QLineEdit *m_edPathAft;
    QLineEdit *m_edSizeNow;
    QLineEdit *m_edSizeAft;
    QLineEdit *m_edCRCNow;
    QLineEdit *m_edCRCAft;
    QCheckBox *m_cbHidenNow;
    QCheckBox *m_cbRONow;
    QCheckBox *m_cbHidenAft;
    QCheckBox *m_cbROAft;
    QToolButton *m_speedButton1;
};

} // namespace brenmark
