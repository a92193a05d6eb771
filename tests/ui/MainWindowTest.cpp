// The main window's controls, menus, layout and enabling rules.
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/ui/FileListDelegate.h"
#include "main/ui/TForm1.h"
#include "main/ui/TopSplitter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

using namespace brenmark;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_form = std::make_unique<TForm1>();
    }
    void cleanup() { m_form.reset(); }

    void controlsHaveTheirNamesParentsAndTexts_data();
    void controlsHaveTheirNamesParentsAndTexts();
    void initialStates();
    void designGeometry();
    void anchorsFollowAResize();
    void headerSplitsOnResizeAndDrag();
    void menusHaveTheirItems_data();
    void menusHaveTheirItems();
    void pmFilesPopupEnablesBySelection();
    void tabOrderOfTheLowerHalf();
    void statusLineCountsSelection();
    void keysOfTheFileList();
    void fileListFontSetsTheRowHeight();

private:
    void showAtDesignSize()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->resize(489, 513);
        QTRY_COMPARE(m_form->Panel4->height(), 348);
    }
    void addRows(int count)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back("0|/tmp/a" + std::to_string(i) + ".txt*/tmp/b" + std::to_string(i) + ".txt");
        m_form->files().appendRowTexts(rows);
    }

    std::unique_ptr<TForm1> m_form;
};

void MainWindowTest::controlsHaveTheirNamesParentsAndTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    const auto row = [](const char *name, const char *cls, const char *parent, const char *text, const char *hint = "") {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(cls) << QString::fromLatin1(parent)
                            << QString::fromUtf8(text) << QString::fromUtf8(hint);
    };
    row("Panel3", "QWidget", "TForm1", "");
    row("GroupBox1", "QGroupBox", "Panel3", "Порядок преобразований");
    row("Panel1", "QWidget", "GroupBox1", "");
    row("Label2", "QLabel", "Panel1", "Шаблон:");
    row("cbProfile", "QComboBox", "Panel1", "");
    row("bbSave", "QPushButton", "Panel1", "", "Сохранить шаблон");
    row("Panel2", "QWidget", "GroupBox1", "");
    row("bbAddAct", "QPushButton", "Panel2", "", "Добавить действие");
    row("bbRemAct", "QPushButton", "Panel2", "", "Удалить действие");
    row("bbEditAct", "QPushButton", "Panel2", "", "Свойства действия");
    row("lvActions", "QListView", "GroupBox1", "");
    row("GroupBox2", "QGroupBox", "Panel3", "Дополнительно");
    row("sbModules", "QPushButton", "GroupBox2", "Модули");
    row("sbOptions", "QPushButton", "GroupBox2", "Настройки");
    row("sbAbout", "QPushButton", "GroupBox2", "О программе..");
    row("Splitter1", "brenmark::TopSplitter", "TForm1", "");
    row("Panel4", "QWidget", "TForm1", "");
    row("GroupBox3", "QGroupBox", "Panel4", "Список файлов (добавляются перетягиванием)");
    row("Panel5", "QWidget", "GroupBox3", "");
    row("HeaderControl1", "QHeaderView", "Panel5", "");
    row("lbFiles", "QListView", "Panel5", "");
    row("Panel6", "QWidget", "GroupBox3", "");
    row("bbAddFiles", "QPushButton", "Panel6", "", "Добавить файлы");
    row("bbRemSel", "QPushButton", "Panel6", "", "Удалить выделенные файлы из списка");
    row("BitBtn1", "QPushButton", "Panel6", "", "Очистить список файлов");
    row("bbAddFolder", "QPushButton", "Panel6", "", "Добавить папку");
    row("sbFiles", "QStatusBar", "GroupBox3", "");
    row("lbAction", "QLabel", "Panel4", "Для запуска нажмите кнопку \"Старт\"");
    row("imSelBG", "QLabel", "Panel4", "");
    row("cbExitOnFinal", "QCheckBox", "Panel4", "Выход по завершении");
    row("pbAll", "QProgressBar", "Panel4", "");
    row("pbNow", "QProgressBar", "Panel4", "");
    row("sbStart", "QPushButton", "Panel4", "СТАРТ");
    row("sbStop", "QPushButton", "Panel4", "СТОП");
    row("btnExit", "QPushButton", "Panel4", "Выход");
}

void MainWindowTest::controlsHaveTheirNamesParentsAndTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parent);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    auto *widget = m_form->findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QString shown;
    if (auto *label = qobject_cast<QLabel *>(widget))
        shown = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        shown = button->text();
    else if (auto *box = qobject_cast<QGroupBox *>(widget))
        shown = box->title();
    QCOMPARE(shown, text);
    QCOMPARE(widget->toolTip(), hint);
}

void MainWindowTest::initialStates()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Korvane Brenmark"));
    QCOMPARE(m_form->minimumSize(), QSize(450, 350));
    QCOMPARE(m_form->size(), QSize(489, 513));
    QVERIFY(!m_form->bbSave->isEnabled());
    QVERIFY(!m_form->bbRemAct->isEnabled());
    QVERIFY(!m_form->bbEditAct->isEnabled());
    QVERIFY(!m_form->sbModules->isEnabled());
    QVERIFY(m_form->bbAddAct->isEnabled());
    QVERIFY(m_form->sbStop->isHidden());
    QVERIFY(!m_form->sbStart->isHidden());
    QVERIFY(m_form->imSelBG->isHidden());
    QCOMPARE(m_form->imSelBG->size(), QSize(12, 23));
    QVERIFY(m_form->cbExitOnFinal->isChecked());
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("0"));
    QVERIFY(!m_form->sbFiles->isSizeGripEnabled());
    QVERIFY(!m_form->cbProfile->isEditable());
    QVERIFY(m_form->lbFiles->uniformItemSizes());
    QCOMPARE(m_form->lbFiles->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(m_form->lvActions->dragDropMode(), QAbstractItemView::InternalMove);
    QVERIFY(m_form->acceptDrops());
    QVERIFY(m_form->GroupBox1->font().bold());
    QVERIFY(m_form->GroupBox3->font().bold());
    QVERIFY(!m_form->lbFiles->font().bold());
    QVERIFY(!m_form->Label2->font().bold());
    QCOMPARE(m_form->Label2->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(m_form->HeaderControl1->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Текущее имя"));
    QCOMPARE(m_form->HeaderControl1->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Новое имя"));
    QCOMPARE(m_form->HeaderControl1->sectionResizeMode(1), QHeaderView::Fixed);
}

void MainWindowTest::designGeometry()
{
    showAtDesignSize();
    const struct
    {
        QWidget *widget;
        QRect rect;
    } cases[] = {
        {m_form->Panel3, {0, 0, 489, 162}},       {m_form->Splitter1, {0, 162, 489, 3}},
        {m_form->Panel4, {0, 165, 489, 348}},     {m_form->GroupBox1, {8, 6, 330, 154}},
        {m_form->GroupBox2, {344, 6, 136, 154}},  {m_form->lvActions, {5, 42, 293, 107}},
        {m_form->cbProfile, {53, 3, 243, 21}},    {m_form->bbSave, {299, 2, 25, 24}},
        {m_form->bbAddAct, {2, 1, 25, 25}},       {m_form->bbRemAct, {2, 27, 25, 25}},
        {m_form->bbEditAct, {2, 82, 25, 25}},     {m_form->sbModules, {8, 18, 119, 25}},
        {m_form->sbOptions, {8, 49, 119, 25}},    {m_form->sbAbout, {8, 118, 119, 25}},
        {m_form->GroupBox3, {8, 1, 472, 278}},    {m_form->bbAddFiles, {2, 20, 25, 25}},
        {m_form->bbRemSel, {2, 46, 25, 25}},      {m_form->BitBtn1, {2, 83, 25, 25}},
        {m_form->lbAction, {9, 288, 261, 13}},    {m_form->cbExitOnFinal, {307, 285, 136, 17}},
        {m_form->pbAll, {8, 304, 291, 16}},       {m_form->pbNow, {8, 325, 291, 16}},
        {m_form->sbStart, {307, 304, 90, 37}},    {m_form->sbStop, {307, 304, 90, 37}},
        {m_form->btnExit, {403, 304, 78, 37}},
    };
    for (const auto &c : cases)
        QVERIFY2(c.widget->geometry() == c.rect,
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                .arg(c.widget->objectName())
                                .arg(c.widget->x())
                                .arg(c.widget->y())
                                .arg(c.widget->width())
                                .arg(c.widget->height())));
    QCOMPARE(m_form->Panel2->width(), 29);
    QCOMPARE(m_form->Panel6->width(), 29);
    QCOMPARE(m_form->Panel1->height(), 26);
    QCOMPARE(m_form->HeaderControl1->height(), 20);
    QCOMPARE(m_form->sbFiles->height(), 19);
    QCOMPARE(m_form->HeaderControl1->width(), 439);
    QCOMPARE(m_form->lbFiles->y(), 20);
}

void MainWindowTest::anchorsFollowAResize()
{
    showAtDesignSize();
    m_form->resize(589, 563);
    QTRY_COMPARE(m_form->Panel4->height(), 398);
    QCOMPARE(m_form->Panel3->height(), 162);
    QCOMPARE(m_form->GroupBox1->geometry(), QRect(8, 6, 430, 154));
    QCOMPARE(m_form->GroupBox2->geometry(), QRect(444, 6, 136, 154));
    QCOMPARE(m_form->btnExit->geometry(), QRect(503, 354, 78, 37));
    QCOMPARE(m_form->sbStart->geometry(), QRect(407, 354, 90, 37));
    QCOMPARE(m_form->pbAll->geometry(), QRect(8, 354, 391, 16));
    QCOMPARE(m_form->lbAction->geometry(), QRect(9, 338, 361, 13));
    QCOMPARE(m_form->GroupBox3->geometry(), QRect(8, 1, 572, 328));
    QCOMPARE(m_form->bbEditAct->y(), 82);
    QCOMPARE(m_form->sbAbout->y(), 118);

    // Smaller than the design: GroupBox1 keeps its minimum width.
    m_form->resize(450, 350);
    QTRY_COMPARE(m_form->Panel3->width(), 450);
    QCOMPARE(m_form->GroupBox1->width(), 291);
    QVERIFY(m_form->GroupBox1->minimumWidth() == 250);
    QCOMPARE(m_form->Panel3->minimumHeight(), 140);
}

void MainWindowTest::headerSplitsOnResizeAndDrag()
{
    showAtDesignSize();
    QCOMPARE(m_form->HeaderControl1->sectionSize(0), 209);
    QCOMPARE(m_form->HeaderControl1->sectionSize(1), 230);
    m_form->resize(489 + 161, 513);
    QTRY_COMPARE(m_form->HeaderControl1->width(), 600);
    QCOMPARE(m_form->HeaderControl1->sectionSize(0), 290);
    QCOMPARE(m_form->HeaderControl1->sectionSize(1), 310);

    // The user's drag of the first border: the second section takes the rest.
    m_form->HeaderControl1->resizeSection(0, 400);
    QCOMPARE(m_form->HeaderControl1->sectionSize(1), 200);
    // The next resize sets the first column back to half.
    m_form->resize(489 + 161, 500);
    QTRY_COMPARE(m_form->Panel4->height(), 335);
    QCOMPARE(m_form->HeaderControl1->sectionSize(0), 290);
}

void MainWindowTest::menusHaveTheirItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("image");
    const auto row = [](const char *name, const char *menu, const char *caption, const char *shortcut, int tag, int image) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(menu) << QString::fromUtf8(caption)
                            << QString::fromLatin1(shortcut) << tag << image;
    };
    row("N1", "pmFiles", "Убрать выделенные (Del)", "", 0, 2);
    row("N13", "pmFiles", "Очистить", "Ctrl+N", 0, 3);
    row("N14", "pmFiles", "Выделить те, у которых", "", 0, 4);
    row("N15", "N14Menu", "Название не изменится", "", 0, -1);
    row("N16", "N14Menu", "Расположение не изменится", "", 1, -1);
    row("N17", "N14Menu", "Ничего не изменится", "", 2, -1);
    row("N26", "pmFiles", "Фильтр", "", 0, 15);
    row("N27", "N26Menu", "Добавить к выделению ( + )", "", 0, 13);
    row("N28", "N26Menu", "Удалить из выделения ( - )", "", 1, 14);
    row("N18", "pmFiles", "Инвертировать", "Ctrl+I", 0, 6);
    row("N19", "pmFiles", "Выделить все", "Ctrl+A", 0, -1);
    row("N23", "pmFiles", "Инструменты", "", 0, 16);
    row("N21", "N23Menu", "Переименовать исходный файл", "", 0, 17);
    row("N25", "N23Menu", "Запустить", "", 0, 12);
    row("N29", "N23Menu", "Отменить последний запуск", "", 0, -1);
    row("N22", "pmFiles", "Информация", "", 0, 11);
    row("N2", "pmActions", "Добавить", "", 0, 9);
    row("N3", "pmActions", "Удалить", "", 0, 10);
    row("N6", "pmActions", "Свойства..", "", 0, 7);
    row("N5", "pmActions", "Очистить", "", 0, 3);
    row("N7", "pmActions", "Вкл/Выкл", "", 0, 8);
    row("N8", "N7Menu", "Выключить все", "", 0, 3);
    row("N9", "N7Menu", "Включить все", "", 1, 5);
    row("N10", "N7Menu", "Включить ТОЛЬКО этот", "", 2, -1);
    row("N11", "N7Menu", "Выключить ТОЛЬКО этот", "", 3, -1);
}

void MainWindowTest::menusHaveTheirItems()
{
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(int, tag);
    QFETCH(int, image);
    auto *owner = m_form->findChild<QMenu *>(menu);
    QVERIFY2(owner, qPrintable(menu));
    QAction *item = nullptr;
    for (QAction *action : owner->actions())
        if (action->objectName() == name)
            item = action;
    QVERIFY2(item, qPrintable(name));
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut().toString(), shortcut);
    QCOMPARE(item->data().toInt(), tag);
    QCOMPARE(item->property("imageIndex").toInt(), image);
    QCOMPARE(item->icon().isNull(), image < 0);
}

void MainWindowTest::pmFilesPopupEnablesBySelection()
{
    const auto states = [this] {
        m_form->pmFilesPopup();
        QString text;
        for (QAction *item : {m_form->N1, m_form->N13, m_form->N14, m_form->N26, m_form->N18, m_form->N19,
                              m_form->N23, m_form->N21, m_form->N22, m_form->N25, m_form->N15, m_form->mmSort,
                              m_form->mmAddFolder})
            text += item->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return text;
    };
    //                      N1 N13 N14 N26 N18 N19 N23 N21 N22 N25 N15 sort folder
    QCOMPARE(states(), QStringLiteral("0000000001101"));
    addRows(1);
    QCOMPARE(states(), QStringLiteral("0111110001101")); // one row: nothing to sort
    addRows(2);
    QCOMPARE(states(), QStringLiteral("0111110001111"));
    QItemSelectionModel *selection = m_form->lbFiles->selectionModel();
    selection->setCurrentIndex(m_form->files().index(1), QItemSelectionModel::ClearAndSelect);
    QCOMPARE(states(), QStringLiteral("1111111111111"));
    selection->select(m_form->files().index(2), QItemSelectionModel::Select);
    QCOMPARE(states(), QStringLiteral("1111110101111"));
    selection->clearSelection();
    QCOMPARE(states(), QStringLiteral("0111110101111")); // a current row without selection
}

void MainWindowTest::tabOrderOfTheLowerHalf()
{
    QWidget *next = m_form->cbExitOnFinal;
    QStringList order;
    for (int i = 0; i < 3; ++i) {
        next = next->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        order << next->objectName();
    }
    QCOMPARE(order, (QStringList{"btnExit", "sbStart", "sbStop"}));
}

void MainWindowTest::statusLineCountsSelection()
{
    addRows(5);
    QItemSelectionModel *selection = m_form->lbFiles->selectionModel();
    selection->select(m_form->files().index(0), QItemSelectionModel::Select);
    selection->select(m_form->files().index(3), QItemSelectionModel::Select);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 2 из 5."));
    m_form->N18Click();
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 3 из 5."));
    m_form->N13Click();
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 0."));
}

void MainWindowTest::keysOfTheFileList()
{
    showAtDesignSize();
    addRows(4);
    m_form->lbFiles->setFocus();
    QTest::keyClick(m_form->lbFiles, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 4 из 4."));
    QTest::keyClick(m_form->lbFiles, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 4."));

    // Del removes the selected block and selects the row that followed it.
    QItemSelectionModel *selection = m_form->lbFiles->selectionModel();
    selection->select(QItemSelection(m_form->files().index(1), m_form->files().index(2)), QItemSelectionModel::Select);
    QTest::keyClick(m_form->lbFiles, Qt::Key_Delete);
    QCOMPARE(m_form->files().count(), 2);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 1 из 2."));
    QVERIFY(selection->isRowSelected(1));
    QVERIFY(m_form->files().data(m_form->files().index(1)).toString().contains(QStringLiteral("a3.txt")));

    QTest::keyClick(m_form->lbFiles, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_form->files().count(), 0);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 0."));
}

void MainWindowTest::fileListFontSetsTheRowHeight()
{
    QFont big(QStringLiteral("Tahoma"));
    big.setPointSize(20);
    m_form->ApplyFileListFont(big);
    QCOMPARE(m_form->lbFiles->font().pointSize(), 20);
    // The row holds the font's line and the marks above its capitals, text at the top.
    const FileListDelegate *delegate = m_form->fileListDelegate();
    const QFontMetrics metrics(m_form->lbFiles->font());
    QVERIFY(delegate->rowHeight() >= metrics.height());
    QVERIFY(delegate->baseline() >= metrics.ascent());
    for (const char *text : {"Й", "Ё", "Å"})
        QVERIFY2(metrics.tightBoundingRect(QString::fromUtf8(text)).top() >= -delegate->baseline(), text);
    QFont small(QStringLiteral("Tahoma"));
    small.setPointSize(5);
    m_form->ApplyFileListFont(small); // icons are on by default: at least 16 high
    QCOMPARE(m_form->fileListDelegate()->rowHeight(), 16);
    addRows(2);
    QCOMPARE(m_form->lbFiles->sizeHintForRow(0), 16);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
