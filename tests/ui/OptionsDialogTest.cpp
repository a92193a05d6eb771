#include "main/ui/ModuleListRows.h"
#include "options/core/IniFile.h"
#include "options/ui/ColorSwatch.h"
#include "options/ui/TfmOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace brenmark;

namespace {

template<typename Type>
Type *child(QObject *parent, const char *name)
{
    auto *found = parent->findChild<Type *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child %s", name);
    return found;
}

ModuleListRow moduleRow(const char *file, bool running, QStringList buttons)
{
    ModuleListRow row;
    row.fileName = file;
    row.caption = QString::fromLatin1(file);
    row.name = QStringLiteral("Name of %1").arg(file);
    row.version = QStringLiteral("1.0");
    row.running = running ? kModuleEnabledText : kModuleDisabledText;
    row.author = QStringLiteral("Author %1").arg(file);
    row.action = QStringLiteral("Имя\\Регистр %1").arg(file);
    row.mask = QStringLiteral("*.jpg");
    row.buttonCaptions = std::move(buttons);
    row.checked = running;
    return row;
}

} // namespace

class OptionsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void formAndControls();
    void pageChoiceOrder();
    void defaultsWithoutSettingsFile();
    void cancelKeepsChangesUntilNextOpening();
    void pathStyleRoundTrip();
    void fontChoice();
    void colourChoice();
    void modulesPage();
    void failedSaveKeepsTheDialogOpen();

private:
    QString iniPath() const { return m_folder->filePath(QStringLiteral("options.ini")); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void OptionsDialogTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
}

void OptionsDialogTest::formAndControls()
{
    TfmOptions dialog(iniPath());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Настройки программы"));
    QCOMPARE(dialog.size(), QSize(534, 422));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

    auto *lvMenu = child<QListWidget>(&dialog, "lvMenu");
    QVERIFY(lvMenu);
    QCOMPARE(lvMenu->width(), 137);
    QCOMPARE(lvMenu->iconSize(), QSize(24, 24));
    QCOMPARE(lvMenu->count(), 3);
    const char *captions[] = {"Основные", "Модули", "Внешний вид"};
    for (int entry = 0; entry < 3; ++entry) {
        QCOMPARE(lvMenu->item(entry)->text(), QString::fromUtf8(captions[entry]));
        QVERIFY(!lvMenu->item(entry)->icon().isNull());
    }
    QVERIFY(lvMenu->selectedItems().isEmpty());
    QCOMPARE(child<QStackedWidget>(&dialog, "pages")->currentWidget()->objectName(), QStringLiteral("pnlMain"));
    QCOMPARE(child<QLabel>(&dialog, "lbFL")->text(), QStringLiteral("О"));
    QCOMPARE(child<QLabel>(&dialog, "lbCap")->text(), QStringLiteral("сновные настройки"));
    QCOMPARE(child<QLabel>(&dialog, "lbInfo")->text(), QStringLiteral("Главные настройки программы"));

    const struct {
        const char *name;
        const char *text;
    } boxes[] = {
        {"chb_main_autosave", "Автосохранение последнего шаблона"},
        {"chb_main_preview", "Не использовать предпросмотр результата (быстрее)"},
        {"chb_main_run_files", "Запускать файлы по двойному клику в списке"},
        {"chb_view_grouping", "Разбивать список действий на категории"},
        {"chb_view_fname", "Показывать изменения названия файла:"},
        {"chb_view_fpath", "Выделять изменения пути файла:"},
        {"chb_view_zebra", "В стиле \"зебра\""},
        {"chb_view_icons", "Показывать иконки файлов в списке"},
    };
    for (const auto &box : boxes) {
        auto *widget = child<QCheckBox>(&dialog, box.name);
        QVERIFY2(widget, box.name);
        QCOMPARE(widget->text(), QString::fromUtf8(box.text));
    }

    auto *frame = child<QGroupBox>(&dialog, "GroupBox1");
    QCOMPARE(frame->title(), QStringLiteral("Talquist"));
    QCOMPARE(frame->height(), 53);
    for (const char *name : {"btnOK", "btnCancel"}) {
        auto *button = child<QPushButton>(frame, name);
        QVERIFY2(button, name);
        QCOMPARE(button->size(), QSize(89, 28));
    }
    QCOMPARE(child<QPushButton>(frame, "btnCancel")->text(), QStringLiteral("Отмена"));

    auto *lvModules = child<QTreeWidget>(&dialog, "lvModules");
    QCOMPARE(lvModules->headerItem()->text(3), QStringLiteral("Запущен"));
    const int widths[] = {136, 141, 48, 57};
    for (int column = 0; column < 4; ++column)
        QCOMPARE(lvModules->columnWidth(column), widths[column]);
    QVERIFY(lvModules->isColumnHidden(4));
    dialog.show();
    QVERIFY(!child<QPlainTextEdit>(&dialog, "mm_modules_off")->isVisible());
    auto *menu = child<QMenu>(&dialog, "pm_type");
    QStringList items;
    for (QAction *action : menu->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{"Жирный", "Курсив", "Подчеркнутый", "Зачеркнутый"}));
}

void OptionsDialogTest::pageChoiceOrder()
{
    TfmOptions dialog(iniPath());
    dialog.show();
    auto *lvMenu = child<QListWidget>(&dialog, "lvMenu");
    auto *pages = child<QStackedWidget>(&dialog, "pages");
    auto *lbFL = child<QLabel>(&dialog, "lbFL");
    auto *lbCap = child<QLabel>(&dialog, "lbCap");

    lvMenu->setCurrentRow(1);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("pnlModules"));
    QCOMPARE(lbFL->text(), QStringLiteral("М"));
    QCOMPARE(lbCap->text(), QStringLiteral("одули"));
    QCOMPARE(lbCap->x(), lbFL->x() + lbFL->width());
    QCOMPARE(child<QLabel>(&dialog, "lbInfo")->text(), QStringLiteral("Управление работой модулей"));

    // Moving on: the gaining entry wins over the losing one.
    lvMenu->setCurrentRow(2);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("pnlView"));
    QCOMPARE(lbCap->text(), QStringLiteral("нешний вид"));
    QCOMPARE(lbCap->x(), lbFL->x() + lbFL->width());

    // Clearing the selection keeps the page of the entry that lost it, also across a reopening.
    lvMenu->clearSelection();
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("pnlView"));
    dialog.hide();
    dialog.show();
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("pnlView"));
}

void OptionsDialogTest::defaultsWithoutSettingsFile()
{
    TfmOptions dialog(iniPath());
    QSignalSpy applied(&dialog, &TfmOptions::fileListFontChanged);
    dialog.show();
    QCOMPARE(dialog.settings(), Settings());
    QCOMPARE(child<QLabel>(&dialog, "lb_view_font")->text(), QStringLiteral("Tahoma, 8"));
    auto *style = child<QLabel>(&dialog, "lb_view_fpath_st");
    QCOMPARE(style->text(), QStringLiteral("Жирный"));
    QVERIFY(style->font().bold());
    QCOMPARE(applied.count(), 1);
    QCOMPARE(applied.at(0).at(0).value<QFont>().pointSize(), 8);
    QVERIFY(!QFile::exists(iniPath()));
}

void OptionsDialogTest::cancelKeepsChangesUntilNextOpening()
{
    TfmOptions dialog(iniPath());
    dialog.show();
    child<QCheckBox>(&dialog, "chb_main_run_files")->click();
    child<QCheckBox>(&dialog, "chb_view_zebra")->click();
    child<QPushButton>(&dialog, "btnCancel")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.settings().runFiles);
    QVERIFY(!dialog.settings().zebraStyle);
    QVERIFY(!QFile::exists(iniPath()));

    dialog.show();
    QVERIFY(dialog.settings().runFiles);
    QVERIFY(dialog.settings().zebraStyle);

    // The close box writes nothing either.
    child<QCheckBox>(&dialog, "chb_main_autosave")->click();
    dialog.close();
    QVERIFY(!dialog.settings().autosave);
    QVERIFY(!QFile::exists(iniPath()));
}

void OptionsDialogTest::pathStyleRoundTrip()
{
    TfmOptions dialog(iniPath());
    dialog.show();
    auto *label = child<QLabel>(&dialog, "lb_view_fpath_st");
    auto *menu = child<QMenu>(&dialog, "pm_type");

    QTest::mouseClick(label, Qt::LeftButton);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(menu->actions().at(0)->isChecked());
    menu->actions().at(1)->trigger();
    menu->hide();
    QCOMPARE(label->text(), QStringLiteral("Курсив"));
    QVERIFY(label->font().italic());
    QVERIFY(!label->font().bold());

    QTest::mouseClick(label, Qt::LeftButton);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(menu->actions().at(1)->isChecked());
    QVERIFY(!menu->actions().at(0)->isChecked());
    menu->hide();

    child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(IniFile(iniPath()).readString("VIEW", "fpath_ed_st", {}), QStringLiteral("1"));

    // A style written by hand reads back into the label.
    IniFile(iniPath()).writeInteger("VIEW", "fpath_ed_st", 2);
    dialog.show();
    QCOMPARE(label->text(), QStringLiteral("Подчеркнутый"));
    QVERIFY(label->font().underline());
}

void OptionsDialogTest::fontChoice()
{
    TfmOptions dialog(iniPath());
    QFont offered;
    std::optional<QFont> answer;
    dialog.setFontChooser([&](const QFont &initial, QWidget *) {
        offered = initial;
        return answer;
    });
    dialog.show();
    QSignalSpy applied(&dialog, &TfmOptions::fileListFontChanged);
    auto *label = child<QLabel>(&dialog, "lb_view_font");
    auto *button = child<QPushButton>(&dialog, "Button1");

    button->click();
    QCOMPARE(offered.family(), QStringLiteral("Tahoma"));
    QCOMPARE(offered.pointSize(), 8);
    QCOMPARE(label->text(), QStringLiteral("Tahoma, 8"));

    QFont chosen(QStringLiteral("DejaVu Sans"), 12);
    chosen.setBold(true);
    answer = chosen;
    button->click();
    QCOMPARE(label->text(), QStringLiteral("DejaVu Sans, 12"));
    QCOMPARE(label->font().pointSize(), 12);
    QVERIFY(!label->font().bold());
    QCOMPARE(applied.count(), 0);

    child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(applied.count(), 1);
    QCOMPARE(applied.at(0).at(0).value<QFont>().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(IniFile(iniPath()).readString("VIEW", "flist_font_name", {}), QStringLiteral("DejaVu Sans"));
    QCOMPARE(IniFile(iniPath()).readInteger("VIEW", "flist_font_size", 0), 12);
}

void OptionsDialogTest::colourChoice()
{
    TfmOptions dialog(iniPath());
    QColor offered;
    std::optional<QColor> answer;
    int asked = 0;
    dialog.setColorChooser([&](const QColor &initial, QWidget *) {
        offered = initial;
        ++asked;
        return answer;
    });
    dialog.show();
    auto *swatch = child<ColorSwatch>(&dialog, "shp_view_fname_col");
    QCOMPARE(swatch->size(), QSize(25, 17));

    QTest::mouseRelease(swatch, Qt::RightButton);
    QCOMPARE(asked, 1);
    QCOMPARE(offered, QColor(0, 128, 0));
    QCOMPARE(swatch->colorValue(), ColorValue(0x00008000));

    answer = QColor(0, 255, 0);
    QTest::mouseRelease(swatch, Qt::LeftButton);
    QCOMPARE(swatch->colorValue(), ColorValue(0x0000FF00));
    answer = QColor(1, 2, 3);
    QTest::mouseRelease(swatch, Qt::MiddleButton);
    QCOMPARE(asked, 3);
    child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(IniFile(iniPath()).readString("VIEW", "fname_ed_col", {}), QStringLiteral("$00030201"));
    QCOMPARE(dialog.settings().nameChangeColor, ColorValue(0x00030201));
}

void OptionsDialogTest::modulesPage()
{
    IniFile(iniPath()).writeBool("MODULES", "OFF.SO", false);
    TfmOptions dialog(iniPath());
    auto *lvModules = dialog.modulesList();
    fillModuleList(lvModules,
                   {moduleRow("plain.so", true, {}), moduleRow("buttons.so", true, {"Один", "Два", "Три"}),
                    moduleRow("off.so", false, {})},
                   ImageList());
    dialog.show();
    QCOMPARE(dialog.DisabledModuleList(), QStringList{"OFF.SO"});
    QCOMPARE(lvModules->topLevelItem(2)->checkState(0), Qt::Unchecked);
    QCOMPARE(lvModules->topLevelItem(0)->checkState(0), Qt::Checked);

    auto *buttons = child<QPlainTextEdit>(&dialog, "mmButtons");
    lvModules->setCurrentItem(lvModules->topLevelItem(1));
    QCOMPARE(buttons->toPlainText(), QStringLiteral("Один\nДва\nТри"));
    QCOMPARE(child<QLineEdit>(&dialog, "edAUTHOR")->text(), QStringLiteral("Author buttons.so"));
    QCOMPARE(child<QLineEdit>(&dialog, "edAction")->text(), QStringLiteral("Имя\\Регистр buttons.so"));
    QCOMPARE(child<QLineEdit>(&dialog, "edMask")->text(), QStringLiteral("*.jpg"));
    lvModules->setCurrentItem(lvModules->topLevelItem(0));
    QCOMPARE(buttons->toPlainText(), QStringLiteral("<Пусто>"));

    // Unchecking a running module acts from the next start only.
    lvModules->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(IniFile(iniPath()).readKeys("MODULES"), (QStringList{"plain.so", "off.so"}));
    QCOMPARE(IniFile(iniPath()).readString("MODULES", "plain.so", {}), QStringLiteral("0"));
    QCOMPARE(lvModules->topLevelItem(0)->text(3), QStringLiteral("Да"));
    QCOMPARE(dialog.DisabledModuleList(), QStringList{"OFF.SO"});

    // Every module checked: the section goes.
    dialog.show();
    QCOMPARE(dialog.DisabledModuleList(), (QStringList{"plain.so", "off.so"}));
    QCOMPARE(lvModules->topLevelItem(0)->checkState(0), Qt::Unchecked);
    for (int row = 0; row < 3; ++row)
        lvModules->topLevelItem(row)->setCheckState(0, Qt::Checked);
    child<QPushButton>(&dialog, "btnOK")->click();
    QVERIFY(IniFile(iniPath()).readKeys("MODULES").isEmpty());
    QVERIFY(!IniFile(iniPath()).read().hasSection("MODULES"));
}

void OptionsDialogTest::failedSaveKeepsTheDialogOpen()
{
    const QString unwritable = m_folder->filePath(QStringLiteral("missing-folder/options.ini"));
    TfmOptions dialog(unwritable);
    QStringList reported;
    dialog.setErrorReporter([&](const QString &message) { reported << message; });
    dialog.show();
    child<QCheckBox>(&dialog, "chb_main_preview")->click();
    child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(reported, QStringList{QStringLiteral("Unable to write to %1: %2").arg(unwritable, QString::fromUtf8(std::strerror(ENOENT)))});
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.settings().noPreview);
    child<QPushButton>(&dialog, "btnCancel")->click();
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
