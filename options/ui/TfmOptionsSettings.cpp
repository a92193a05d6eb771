// The settings side of the options dialog: its controls to and from the
// settings file, and the settings in force as the rest of the program reads them.

#include "options/ui/TfmOptions.h"

#include "main/ui/FormFonts.h"

#include "options/core/SettingsFile.h"
#include "options/ui/ClickableLabel.h"
#include "options/ui/ColorSwatch.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace brenmark {

namespace {

bool containsIgnoringCase(const QStringList &list, const QString &text)
{
    return list.contains(text, Qt::CaseInsensitive);
}

} // namespace

void TfmOptions::LoadSettings()
{
    const Settings file = brenmark::LoadSettings(m_iniPath);

    m_chbMainAutosave->setChecked(file.autosave);
    m_chbMainPreview->setChecked(file.noPreview);
    m_chbMainRunFiles->setChecked(file.runFiles);

    m_mmModulesOff->setPlainText(file.disabledModules.join(QLatin1Char('\n')));
    for (int row = 0; row < m_lvModules->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = m_lvModules->topLevelItem(row);
        item->setCheckState(0, containsIgnoringCase(file.disabledModules, item->text(0)) ? Qt::Unchecked : Qt::Checked);
    }

    m_chbViewGrouping->setChecked(file.actionGrouping);
    m_chbViewIcons->setChecked(file.showIcons);
    setFileListFont(file.fileListFontName, file.fileListFontSize);
    emit fileListFontChanged(fileListFont());

    m_chbViewFname->setChecked(file.showNameChanges);
    m_shpViewFnameCol->setColorValue(file.nameChangeColor);
    m_chbViewFpath->setChecked(file.showPathChanges);
    setPathStyle(static_cast<int>(file.pathChangeStyle));
    m_chbViewZebra->setChecked(file.zebraStyle);
}

void TfmOptions::SaveSettings()
{
    brenmark::SaveSettings(m_iniPath, settingsToSave());
    emit fileListFontChanged(fileListFont());
}

Settings TfmOptions::settings() const
{
    Settings settings;
    settings.autosave = m_chbMainAutosave->isChecked();
    settings.noPreview = m_chbMainPreview->isChecked();
    settings.runFiles = m_chbMainRunFiles->isChecked();
    settings.disabledModules = DisabledModuleList();
    settings.actionGrouping = m_chbViewGrouping->isChecked();
    const QFont font = fileListFont();
    settings.fileListFontName = font.family();
    settings.fileListFontSize = font.pointSize();
    settings.showIcons = m_chbViewIcons->isChecked();
    settings.showNameChanges = m_chbViewFname->isChecked();
    settings.nameChangeColor = m_shpViewFnameCol->colorValue();
    settings.showPathChanges = m_chbViewFpath->isChecked();
    settings.pathChangeStyle = static_cast<PathChangeStyle>(pathStyle());
    settings.zebraStyle = m_chbViewZebra->isChecked();
    return settings;
}

Settings TfmOptions::settingsToSave() const
{
    Settings settings = this->settings();
    // The check marks, in list order, are what the next start honours.
    settings.disabledModules.clear();
    for (int row = 0; row < m_lvModules->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = m_lvModules->topLevelItem(row);
        if (item->checkState(0) != Qt::Checked)
            settings.disabledModules << item->text(0);
    }
    return settings;
}

QStringList TfmOptions::DisabledModuleList() const
{
    const QString lines = m_mmModulesOff->toPlainText();
    return lines.isEmpty() ? QStringList() : lines.split(QLatin1Char('\n'));
}

QFont TfmOptions::fileListFont() const
{
    return m_lbViewFont->font();
}

void TfmOptions::setFileListFont(const QString &family, int pointSize)
{
    QFont font = m_lbViewFont->font();
    font.setFamily(family);
    font.setPointSize(pointSize);
    m_lbViewFont->setFont(font);
    m_lbViewFont->setText(QStringLiteral("%1, %2").arg(family).arg(pointSize));
}

void TfmOptions::setPathStyle(int style)
{
    // The sample shows the style as the file list shows it: a bold that can be told from regular.
    QFont font = style == static_cast<int>(PathChangeStyle::Bold) ? visiblyBold(this->font()) : this->font();
    font.setItalic(style == static_cast<int>(PathChangeStyle::Italic));
    font.setUnderline(style == static_cast<int>(PathChangeStyle::Underline));
    font.setStrikeOut(style == static_cast<int>(PathChangeStyle::StrikeOut));
    m_lbViewFpathSt->setFont(font);
    m_lbViewFpathSt->setText(m_pmTypeItems->actions().at(style)->text());
}

int TfmOptions::pathStyle() const
{
    const QFont font = m_lbViewFpathSt->font();
    if (font.bold())
        return static_cast<int>(PathChangeStyle::Bold);
    if (font.italic())
        return static_cast<int>(PathChangeStyle::Italic);
    if (font.underline())
        return static_cast<int>(PathChangeStyle::Underline);
    if (font.strikeOut())
        return static_cast<int>(PathChangeStyle::StrikeOut);
    return static_cast<int>(PathChangeStyle::Bold);
}

} // namespace brenmark
