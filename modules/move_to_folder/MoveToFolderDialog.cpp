#include "modules/move_to_folder/MoveToFolderDialog.h"

#include "modules/move_to_folder/FolderTarget.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace brenmark::movetofolder {

MoveToFolderDialog::MoveToFolderDialog(QWidget *parent, const MoveOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Перемещение в папку"))
    , m_folder(new QLineEdit(this))
    , m_dateSource(new QComboBox(this))
{
    m_folder->setText(sdk::fromField(options.folder));
    m_folder->setMinimumWidth(320);
    auto *browseButton = new QPushButton(QStringLiteral("Обзор…"), this);
    connect(browseButton, &QPushButton::clicked, this, &MoveToFolderDialog::browse);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(browseButton);

    m_dateSource->addItem(QStringLiteral("дата изменения файла"));
    m_dateSource->addItem(QStringLiteral("дата съёмки (EXIF), иначе дата изменения"));
    m_dateSource->setCurrentIndex(int(options.dateSource));

    form()->addRow(QStringLiteral("Папка:"), folderRow);
    form()->addRow(QString(), new QLabel(QStringLiteral("Путь от корня («/…»), от домашней папки («~/…»)\nили от папки файла.\n"
                                                        "%Y год, %m месяц, %d день даты файла.\n"
                                                        "Недостающие папки создаются при запуске."),
                                         this));
    form()->addRow(QStringLiteral("Дата для %Y, %m, %d:"), m_dateSource);
    watch(m_folder);
    watch(m_dateSource);
    setSampleName(QDir::homePath() + QStringLiteral("/Фото/IMG_0042.JPG"));
}

MoveOptions MoveToFolderDialog::options() const
{
    MoveOptions options;
    sdk::toField(m_folder->text(), options.folder);
    options.dateSource = datetime::DateSource(m_dateSource->currentIndex());
    return options;
}

QString MoveToFolderDialog::optionsProblem() const
{
    try {
        validateOptions(options());
    } catch (const sdk::ModuleError &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

void MoveToFolderDialog::appendExample(std::string_view path, std::string &out) const
{
    const MoveOptions current = options();
    const QDateTime now = QDateTime::currentDateTime();
    const datetime::DateParts date{now.date().year(), now.date().month(), now.date().day(),
                                   now.time().hour(), now.time().minute(), now.time().second()};
    out += targetPath(path, current, date);
}

void MoveToFolderDialog::checkExample(std::string_view path) const
{
    sdk::checkFileName(sdk::splitPath(path).fileName);
    sdk::checkPathLength(path);
}

void MoveToFolderDialog::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Папка для файлов"),
                                                             m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

} // namespace brenmark::movetofolder
