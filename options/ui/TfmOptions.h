#pragma once

#include "options/core/ColorValue.h"
#include "options/core/SettingsSource.h"

#include <QDialog>
#include <QFont>

#include <functional>
#include <optional>

class QActionGroup;
class QCheckBox;
class QItemSelection;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace brenmark {

class ClickableLabel;
class ColorSwatch;

// "Настройки программы". Its controls are the settings in force: the rest of
// the program asks settings() whenever it needs a value. Each showing reads
// options.ini into the controls; OK writes them back; Cancel and the close
// box write nothing and leave the controls as the user set them.
class TfmOptions : public QDialog, public SettingsSource
{
    Q_OBJECT

public:
    // `iniPath`: the settings file, program directory + "options.ini".
    explicit TfmOptions(QString iniPath, QWidget *parent = nullptr);

    // The settings the controls hold now. disabledModules is the list the
    // module loader honours (the lines of mm_modules_off), not the check
    // marks, which act only from the next start.
    Settings settings() const override;
    // DisabledModuleList: the lines of mm_modules_off.
    QStringList DisabledModuleList() const;

    // lvModules, for the module loader to fill (one row per library).
    QTreeWidget *modulesList() const { return m_lvModules; }
    // The file-list font as lb_view_font holds it.
    QFont fileListFont() const;

    // options.ini into the controls; ends with fileListFontChanged.
    void LoadSettings();
    // The controls into options.ini, key by key; then fileListFontChanged.
    // Throws IniWriteError ("Unable to write to ...") at the first key that
    // cannot be written.
    void SaveSettings();

    // How a failed save is shown; by default a message box titled "Brenmark".
    using ErrorReporter = std::function<void(const QString &message)>;
    void setErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }
    // The platform's font and colour choosers, replaceable for tests.
    using FontChooser = std::function<std::optional<QFont>(const QFont &initial, QWidget *parent)>;
    using ColorChooser = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;
    void setFontChooser(FontChooser chooser) { m_chooseFont = std::move(chooser); }
    void setColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

signals:
    // ApplyFileListFont: the file list takes this font's family and size.
    void fileListFontChanged(const QFont &font);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createPageList();
    void createHeader();
    QWidget *createMainPage();
    QWidget *createModulesPage();
    QWidget *createViewPage();
    void createButtons();
    void createStyleMenu();

    void FormShow();
    void lvMenuChange(const QItemSelection &selected, const QItemSelection &deselected);
    void showPage(int entry);
    void lvModulesChange(QTreeWidgetItem *item);
    void Button1Click();
    void shp_view_fname_colMouseUp();
    void lb_view_fpath_stClick();
    void pm_typePopup();
    void N4Click(int style);
    void btnOKClick();
    void btnCancelClick();

    void setFileListFont(const QString &family, int pointSize);
    void setPathStyle(int style);
    int pathStyle() const;
    Settings settingsToSave() const;

    QString m_iniPath;
    ErrorReporter m_reportError;
    FontChooser m_chooseFont;
    ColorChooser m_chooseColor;

    QListWidget *m_lvMenu = nullptr;
    QLabel *m_lbFL = nullptr;
    QLabel *m_lbCap = nullptr;
    QLabel *m_lbInfo = nullptr;
    QStackedWidget *m_pages = nullptr;
    QList<QWidget *> m_pageOfEntry;

    QCheckBox *m_chbMainAutosave = nullptr;
    QCheckBox *m_chbMainPreview = nullptr;
    QCheckBox *m_chbMainRunFiles = nullptr;

    QTreeWidget *m_lvModules = nullptr;
    QLineEdit *m_edAUTHOR = nullptr;
    QLineEdit *m_edAction = nullptr;
    QLineEdit *m_edMask = nullptr;
    QPlainTextEdit *m_mmButtons = nullptr;
    QPlainTextEdit *m_mmModulesOff = nullptr;

    QCheckBox *m_chbViewGrouping = nullptr;
    QLabel *m_lbViewFont = nullptr;
    QCheckBox *m_chbViewFname = nullptr;
    ColorSwatch *m_shpViewFnameCol = nullptr;
    QCheckBox *m_chbViewFpath = nullptr;
    ClickableLabel *m_lbViewFpathSt = nullptr;
    QCheckBox *m_chbViewZebra = nullptr;
    QCheckBox *m_chbViewIcons = nullptr;
    QMenu *m_pmType = nullptr;
    QActionGroup *m_pmTypeItems = nullptr;

    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
};

} // namespace brenmark
