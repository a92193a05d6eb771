// The whole window at work over real fixture modules: the start sequence, adding
// actions, the preview in the rows, drops, a run, templates, the error handler and the
// close with its automatic save. Leaves a picture of the window in the build folder.
#include "about/ui/TfmAbout.h"
#include "information/ui/TfmInfo.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/ui/BrenmarkApplication.h"
#include "main/ui/MainWindowSink.h"
#include "main/ui/TForm1.h"
#include "main/ui/TerminationSignals.h"
#include "options/ui/TfmOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <csignal>
#include <fstream>
#include <unistd.h>

using namespace brenmark;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class MainWindowFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startSequenceLoadsModulesAndListedFiles();
    void addedActionsRenameTheRowsAndRunMovesTheFiles();
    void stopButtonTakesStartsPlaceAndStopsTheRun();
    void closingDuringARunStopsItFirst();
    void terminationSignalEndsAModulesBoxAndClosesAfterItsCall();
    void droppedFilesGetTheirNewNameAtOnce();
    void fileToolsActOnTheCurrentRowNotTheSelection();
    void sortingReordersTheRowsAndRebuildsThePreview();
    void foldersAreAddedByTheirFilesOnRequestOrWithShift();
    void collidingRowsAreAskedAboutAndFailedRowsStay();
    void runLabelNeverHidesAFailureNorALongCallsCaption();
    void draggedActionTakesTheTargetsPlace();
    void templateErrorsReachTheGeneralHandler();
    void closeSavesTheChainAndTheNextStartRestoresIt();

private:
    void startWindow(const QString &listFile);
    QAction *addActionItem(const QString &caption) const;
    // A row's text after its icon index.
    QString fileRow(int row) const
    {
        const QString text = m_form->files().data(m_form->files().index(row)).toString();
        return text.mid(text.indexOf(QLatin1Char('|')) + 1);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_programDir;
    QString m_files;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<TfmAbout> m_about;
    std::unique_ptr<TfmOptions> m_options;
    std::unique_ptr<TfmInfo> m_info;
    QStringList m_errors;
};

void MainWindowFlowTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_programDir = m_dir->path() + QLatin1Char('/');
    QDir(m_programDir).mkpath(QStringLiteral("Plugins"));
    QDir(m_programDir).mkpath(QStringLiteral("files/archive"));
    QVERIFY(QFile::link(QStringLiteral(BRENMARK_PROBE_EXECUTABLE), m_programDir + QStringLiteral("brenmark-probe")));
    for (const char *name : {"fixture_window_prefix.so", "fixture_window_move.so"})
        QVERIFY(QFile::copy(QStringLiteral(BRENMARK_FIXTURE_DIR "/") + QLatin1String(name),
                            m_programDir + QStringLiteral("Plugins/") + QLatin1String(name)));
    m_files = m_programDir + QStringLiteral("files/");
    for (const char *name : {"photo.jpg", "notes.txt", "Отчёт за год.pdf"})
        writeFile(m_files + QString::fromUtf8(name), "data");
    m_errors.clear();
    BrenmarkApplication::setErrorPresenter([this](const QString &text) { m_errors << text; });
}

void MainWindowFlowTest::cleanup()
{
    m_info.reset();
    m_options.reset();
    m_about.reset();
    m_form.reset();
    BrenmarkApplication::setErrorPresenter({});
    m_dir.reset();
}

void MainWindowFlowTest::startWindow(const QString &listFile)
{
    m_info.reset();
    m_options.reset();
    m_about.reset();
    m_form = std::make_unique<TForm1>();
    m_about = std::make_unique<TfmAbout>(m_form.get());
    m_options = std::make_unique<TfmOptions>(m_programDir + QStringLiteral("options.ini"), m_form.get());
    m_info = std::make_unique<TfmInfo>(m_form.get());
    m_form->setDialogs(m_about.get(), m_options.get(), m_info.get());
    m_form->setStartup(m_programDir, QFile::encodeName(listFile).toStdString());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

QAction *MainWindowFlowTest::addActionItem(const QString &caption) const
{
    for (QMenu *category : m_form->pmAddAction->findChildren<QMenu *>())
        for (QAction *item : category->actions())
            if (item->text() == caption)
                return item;
    return nullptr;
}

void MainWindowFlowTest::startSequenceLoadsModulesAndListedFiles()
{
    const QString list = m_programDir + QStringLiteral("list.txt");
    writeFile(list, (m_files + QStringLiteral("photo.jpg\n") + m_files + QStringLiteral("missing.txt\n") + m_files
                     + QStringLiteral("archive\n") + m_files + QStringLiteral("notes.txt\n"))
                        .toUtf8());
    startWindow(list);
    QVERIFY(m_errors.isEmpty());
    QVERIFY(QDir(m_programDir + QStringLiteral("Templates")).exists());
    QVERIFY(m_form->cbExitOnFinal->isChecked());
    QCOMPARE(m_form->files().count(), 2);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 2."));
    QVERIFY(m_form->sbModules->isEnabled());
    QVERIFY(addActionItem(QStringLiteral("Приставка")));
    QVERIFY(addActionItem(QStringLiteral("В папку archive")));
    QCOMPARE(m_form->pmModules->actions().size(), 1);
    QCOMPARE(m_form->cbProfile->count(), 1);
    QCOMPARE(m_form->cbProfile->itemText(0), QString());
    // The start ends with a preview rebuild: the rows have their new path now.
    QCOMPARE(fileRow(0), QStringLiteral("%1photo.jpg*%1photo.jpg").arg(m_files));
    // The buttons have their icons and the dialogs' buttons too.
    QVERIFY(!m_form->sbStart->icon().isNull());
    QVERIFY(!m_form->btnExit->icon().isNull());
    QVERIFY(!m_options->findChild<QPushButton *>(QStringLiteral("btnOK"))->icon().isNull());
    QVERIFY(!m_info->findChild<QToolButton *>(QStringLiteral("SpeedButton1"))->icon().isNull());

    // Given a list, a complete run (here one without actions) closes the program.
    m_form->sbStartClick();
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->files().count(), 0);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 0."));
}

void MainWindowFlowTest::addedActionsRenameTheRowsAndRunMovesTheFiles()
{
    startWindow(QString());
    QVERIFY(!m_form->cbExitOnFinal->isChecked());
    // The empty list's preview leaves an empty bar, not Qt's endless busy animation.
    QVERIFY(m_form->pbAll->maximum() > m_form->pbAll->minimum());
    m_form->files().appendDialogFiles({QFile::encodeName(m_files + QStringLiteral("photo.jpg")).toStdString(),
                                       QFile::encodeName(m_files + QString::fromUtf8("Отчёт за год.pdf")).toStdString(),
                                       QFile::encodeName(m_files + QStringLiteral("notes.txt")).toStdString()});
    addActionItem(QStringLiteral("Приставка"))->trigger();
    addActionItem(QStringLiteral("В папку archive"))->trigger();
    QVERIFY(m_errors.isEmpty());
    QCOMPARE(m_form->chain().count(), 2);
    QVERIFY(m_form->bbSave->isEnabled());
    QCOMPARE(m_form->cbProfile->currentIndex(), 0);
    QCOMPARE(fileRow(0), QStringLiteral("%1photo.jpg*%1archive/2024_photo.jpg").arg(m_files));

    m_form->lvActions->selectionModel()->setCurrentIndex(m_form->chain().index(0),
                                                         QItemSelectionModel::ClearAndSelect);
    QVERIFY(m_form->bbRemAct->isEnabled());
    QVERIFY(m_form->bbEditAct->isEnabled());
    m_form->pmActionsPopup();
    QVERIFY(m_form->N3->isEnabled());
    QVERIFY(m_form->N7->isEnabled());

    // A picture of the window at its design size, as a user sees it.
    m_form->resize(489, 513);
    m_form->lbFiles->selectionModel()->select(m_form->files().index(1), QItemSelectionModel::Select);
    QTRY_COMPARE(m_form->HeaderControl1->width(), 439);
    QVERIFY(m_form->grab().save(QStringLiteral("main-window.png")));

    m_form->sbStartClick();
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    QVERIFY(QFile::exists(m_files + QStringLiteral("archive/2024_photo.jpg")));
    QVERIFY(QFile::exists(m_files + QString::fromUtf8("archive/2024_Отчёт за год.pdf")));
    QVERIFY(!QFile::exists(m_files + QStringLiteral("notes.txt")));
    QCOMPARE(m_form->files().count(), 0);
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 0."));
    QVERIFY(m_form->sbStop->isHidden());
    QVERIFY(m_form->sbStart->isVisible());
    QVERIFY(m_form->btnExit->isEnabled());
    QVERIFY(m_form->isVisible()); // "Выход по завершении" is off

    // The run can be undone from the tools menu, with the list empty: the
    // question names the count, the report what came back.
    m_form->pmFilesPopup();
    QVERIFY(m_form->N23->isEnabled());
    QVERIFY(m_form->N29->isEnabled());
    QVERIFY(!m_form->N21->isEnabled());
    QStringList texts;
    QTimer::singleShot(0, m_form.get(), [&texts] {
        auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(question);
        texts << question->text();
        QTimer::singleShot(0, [&texts] {
            auto *report = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(report);
            texts << report->text();
            report->accept();
        });
        QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
    });
    m_form->N29->trigger();
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts[0].startsWith(QString::fromUtf8("Вернуть на прежние места файлов: 3?")), qPrintable(texts[0]));
    QCOMPARE(texts[1], QString::fromUtf8("Возвращено файлов: 3 из 3."));
    QVERIFY(QFile::exists(m_files + QStringLiteral("photo.jpg")));
    QVERIFY(QFile::exists(m_files + QString::fromUtf8("Отчёт за год.pdf")));
    QVERIFY(QFile::exists(m_files + QStringLiteral("notes.txt")));
    QVERIFY(!QFile::exists(m_files + QStringLiteral("archive/2024_photo.jpg")));
    QVERIFY2(QFileInfo(m_files + QStringLiteral("archive")).isDir(), "the folder was there before the run");
    m_form->pmFilesPopup();
    QVERIFY(!m_form->N23->isEnabled());
    QVERIFY(!m_form->N29->isEnabled());
}

void MainWindowFlowTest::stopButtonTakesStartsPlaceAndStopsTheRun()
{
    startWindow(QString());
    m_form->files().appendDialogFiles({QFile::encodeName(m_files + QStringLiteral("photo.jpg")).toStdString(),
                                       QFile::encodeName(m_files + QStringLiteral("notes.txt")).toStdString()});
    addActionItem(QStringLiteral("Приставка"))->trigger();
    m_form->cbExitOnFinal->setChecked(true);
    bool stopShown = false;
    bool startHidden = false;
    QString firstCaption;
    // Runs inside the run's first processing of pending events: the call it
    // precedes never starts.
    QTimer::singleShot(0, m_form.get(), [&] {
        stopShown = m_form->sbStop->isVisible();
        startHidden = m_form->sbStart->isHidden();
        firstCaption = m_form->lbAction->text();
        QVERIFY(!m_form->btnExit->isEnabled());
        QTest::mouseClick(m_form->sbStop, Qt::LeftButton);
    });
    QTest::mouseClick(m_form->sbStart, Qt::LeftButton);
    QVERIFY(stopShown);
    QVERIFY(startHidden);
    // The label thins out a run's captions, but never drops the first one, nor the empty one at the end.
    QVERIFY2(firstCaption.startsWith(QStringLiteral("photo.jpg / ")), qPrintable(firstCaption));
    QCOMPARE(m_form->lbAction->text(), QString());
    QVERIFY(QFile::exists(m_files + QStringLiteral("photo.jpg")));
    QVERIFY(!QFile::exists(m_files + QStringLiteral("2024_photo.jpg")));
    QVERIFY(QFile::exists(m_files + QStringLiteral("notes.txt")));
    QCOMPARE(m_form->files().count(), 2); // a stopped run keeps the list
    QVERIFY(m_form->sbStop->isHidden());
    QVERIFY(m_form->sbStart->isVisible());
    QVERIFY(m_form->btnExit->isEnabled());
    QVERIFY(m_form->isVisible()); // and the window, "Выход по завершении" or not
}

void MainWindowFlowTest::closingDuringARunStopsItFirst()
{
    startWindow(QString());
    m_form->files().appendDialogFiles({QFile::encodeName(m_files + QStringLiteral("photo.jpg")).toStdString(),
                                       QFile::encodeName(m_files + QStringLiteral("notes.txt")).toStdString()});
    addActionItem(QStringLiteral("Приставка"))->trigger();
    QTimer::singleShot(0, m_form.get(), [&] { m_form->close(); });
    m_form->sbStartClick();
    QVERIFY(!m_form->isVisible());
    QVERIFY(QFile::exists(m_files + QStringLiteral("notes.txt"))); // the run stopped after the first file
    QVERIFY(QFile::exists(m_programDir + QStringLiteral("Templates/~autosave.ptp")));
    QCOMPARE(m_form->chain().count(), 0);
}

void MainWindowFlowTest::terminationSignalEndsAModulesBoxAndClosesAfterItsCall()
{
    startWindow(QString());
    addActionItem(QStringLiteral("Приставка"))->trigger();
    closeOnTerminationSignals(m_form.get());
    bool closedUnderTheCall = true;
    // As a module's "about" command does: a box of its own, inside its call.
    guardModuleCall([&] {
        QMessageBox box(QMessageBox::Information, QStringLiteral("О модуле"), QStringLiteral("Приставка"),
                        QMessageBox::Ok, m_form.get());
        QTimer::singleShot(0, &box, [] { ::raise(SIGTERM); });
        box.exec();
        QCoreApplication::processEvents();
        closedUnderTheCall = !m_form->isVisible() || m_form->chain().count() == 0;
    });
    QVERIFY(!closedUnderTheCall);
    QTRY_VERIFY(!m_form->isVisible());
    ::alarm(0); // the grace period would end this process too
    QVERIFY(QFile::exists(m_programDir + QStringLiteral("Templates/~autosave.ptp")));
    QCOMPARE(m_form->chain().count(), 0);
}

void MainWindowFlowTest::droppedFilesGetTheirNewNameAtOnce()
{
    startWindow(QString());
    addActionItem(QStringLiteral("Приставка"))->trigger();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_files + QStringLiteral("notes.txt")), QUrl::fromLocalFile(m_files + QStringLiteral("archive")),
                  QUrl(QStringLiteral("https://example.org/a.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &drop);
    QCOMPARE(m_form->files().count(), 1);
    QCOMPARE(fileRow(0), QStringLiteral("%1notes.txt*%1").arg(m_files) + QStringLiteral("2024_notes.txt"));
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 1."));

    // A dropped file whose new name is taken is marked at once.
    writeFile(m_files + QStringLiteral("2024_photo.jpg"), "taken");
    QMimeData taken;
    taken.setUrls({QUrl::fromLocalFile(m_files + QStringLiteral("photo.jpg"))});
    QDragEnterEvent secondEnter(QPoint(10, 10), Qt::CopyAction, &taken, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &secondEnter);
    QDropEvent secondDrop(QPointF(10, 10), Qt::CopyAction, &taken, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &secondDrop);
    QCOMPARE(m_form->files().count(), 2);
    QCOMPARE(m_form->files().mark(1), FileListModel::RowMark::Collision);
    QCOMPARE(m_form->sbFiles->currentMessage(), QString::fromUtf8("Файлов 0 из 2. Конфликтов имён: 1."));

    // A name in Windows-1251 bytes arrives as those bytes, taken from the raw URI list.
    const std::string folder = QFile::encodeName(m_files).toStdString();
    const std::string yogurt = folder + "\xC9\xEE\xE3\xF3\xF0\xF2.txt";
    std::ofstream(yogurt) << "data";
    QMimeData raw;
    raw.setData(QStringLiteral("text/uri-list"),
                "file://" + QByteArray::fromStdString(yogurt).toPercentEncoding("/") + "\r\n");
    QDragEnterEvent rawEnter(QPoint(10, 10), Qt::CopyAction, &raw, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &rawEnter);
    QVERIFY(rawEnter.isAccepted());
    QDropEvent rawDrop(QPointF(10, 10), Qt::CopyAction, &raw, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_form.get(), &rawDrop);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    QCOMPARE(m_form->files().count(), 3);
    QCOMPARE(std::string(m_form->files().currentPath(2)), yogurt);
    ::unlink(yogurt.c_str()); // QTemporaryDir cannot name it to remove it
}

// "Информация", "Переименовать" and "Запустить" take the row with the focus frame.
void MainWindowFlowTest::fileToolsActOnTheCurrentRowNotTheSelection()
{
    startWindow(QString());
    FileListModel &files = m_form->files();
    files.appendDialogFiles({QFile::encodeName(m_files + QStringLiteral("photo.jpg")).toStdString(),
                             QFile::encodeName(m_files + QStringLiteral("notes.txt")).toStdString()});
    QItemSelectionModel *selection = m_form->lbFiles->selectionModel();
    selection->select(files.index(0), QItemSelectionModel::ClearAndSelect);
    selection->setCurrentIndex(files.index(1), QItemSelectionModel::NoUpdate);
    QCOMPARE(m_form->fileToolRow(), 1);

    QString shownName;
    QTimer::singleShot(0, m_form.get(), [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        shownName = dialog->findChild<QLineEdit *>(QStringLiteral("edNameNow"))->text();
        dialog->close();
    });
    m_form->N22Click();
    QCOMPARE(shownName, QStringLiteral("notes.txt"));

    QTimer::singleShot(0, m_form.get(), [] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setTextValue(QStringLiteral("renamed.txt"));
        dialog->accept();
    });
    m_form->N21Click();
    QCOMPARE(std::string(files.currentPath(1)), QFile::encodeName(m_files + QStringLiteral("renamed.txt")).toStdString());
    QCOMPARE(std::string(files.currentPath(0)), QFile::encodeName(m_files + QStringLiteral("photo.jpg")).toStdString());
    QVERIFY(QFile::exists(m_files + QStringLiteral("renamed.txt")));
    QVERIFY(QFile::exists(m_files + QStringLiteral("photo.jpg")));
}

void MainWindowFlowTest::sortingReordersTheRowsAndRebuildsThePreview()
{
    startWindow(QString());
    addActionItem(QStringLiteral("Приставка"))->trigger();
    // Rows as a list file gives them: no new path until a rebuild.
    m_form->files().appendRowTexts({FileEntry::listRow(QFile::encodeName(m_files + QStringLiteral("photo.jpg")).toStdString()),
                                    FileEntry::listRow(QFile::encodeName(m_files + QString::fromUtf8("Отчёт за год.pdf")).toStdString()),
                                    FileEntry::listRow(QFile::encodeName(m_files + QStringLiteral("notes.txt")).toStdString())});
    m_form->pmFilesPopup();
    QVERIFY(m_form->mmSort->isEnabled());
    QAction *byNameDown = m_form->findChild<QAction *>(QStringLiteral("mmSortNameDown"));
    QVERIFY(byNameDown);
    QCOMPARE(byNameDown->text(), QString::fromUtf8("По имени, Я–А"));
    byNameDown->trigger();
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    const auto row = [this](const char *name) {
        const QString path = m_files + QString::fromUtf8(name);
        return path + QLatin1Char('*') + m_files + QStringLiteral("2024_") + QString::fromUtf8(name);
    };
    QCOMPARE(fileRow(0), row("Отчёт за год.pdf"));
    QCOMPARE(fileRow(1), row("photo.jpg"));
    QCOMPARE(fileRow(2), row("notes.txt"));
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 3."));
}

void MainWindowFlowTest::foldersAreAddedByTheirFilesOnRequestOrWithShift()
{
    startWindow(QString());
    QDir(m_files).mkpath(QStringLiteral("sub/.cache"));
    writeFile(m_files + QStringLiteral("sub/b10.txt"), "data");
    writeFile(m_files + QStringLiteral("sub/b9.txt"), "data");
    writeFile(m_files + QStringLiteral("sub/.hidden"), "data");
    writeFile(m_files + QStringLiteral("sub/.cache/c"), "data");
    const std::string sub = QFile::encodeName(m_files + QStringLiteral("sub")).toStdString();

    m_form->addFolder(sub, {true, false});
    QCOMPARE(m_form->files().count(), 2);
    QCOMPARE(fileRow(0), QStringLiteral("%1sub/b9.txt*%1sub/b9.txt").arg(m_files));
    m_form->addFolder(sub, {false, true});
    QCOMPARE(m_form->files().count(), 5);
    QCOMPARE(fileRow(2), QStringLiteral("%1sub/.hidden*%1sub/.hidden").arg(m_files));
    QCOMPARE(m_form->sbFiles->currentMessage(), QStringLiteral("Файлов 0 из 5."));
    m_form->N13Click();

    // A dropped folder adds nothing, unless Shift is held: then its files and its subfolders' files.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_files + QStringLiteral("sub")), QUrl::fromLocalFile(m_files + QStringLiteral("notes.txt"))});
    for (const Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_form.get(), &drop);
        QVERIFY(drop.isAccepted());
        if (modifiers == Qt::ShiftModifier)
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
    }
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    QCOMPARE(m_form->files().count(), 4);
    QCOMPARE(QString::fromUtf8(m_form->files().currentPath(0)), m_files + QStringLiteral("notes.txt"));
    QCOMPARE(QString::fromUtf8(m_form->files().currentPath(1)), m_files + QStringLiteral("sub/b9.txt"));
    QCOMPARE(QString::fromUtf8(m_form->files().currentPath(2)), m_files + QStringLiteral("sub/b10.txt"));
    QCOMPARE(QString::fromUtf8(m_form->files().currentPath(3)), m_files + QStringLiteral("notes.txt"));
}

void MainWindowFlowTest::collidingRowsAreAskedAboutAndFailedRowsStay()
{
    writeFile(m_files + QStringLiteral("2024_photo.jpg"), "taken");
    startWindow(QString());
    m_form->files().appendDialogFiles({QFile::encodeName(m_files + QStringLiteral("photo.jpg")).toStdString(),
                                       QFile::encodeName(m_files + QStringLiteral("notes.txt")).toStdString()});
    addActionItem(QStringLiteral("Приставка"))->trigger();
    FileListModel &files = m_form->files();
    QCOMPARE(files.mark(0), FileListModel::RowMark::Collision);
    QCOMPARE(files.mark(1), FileListModel::RowMark::None);
    QCOMPARE(files.markReason(0),
             QString::fromUtf8("Файл «%1» уже существует.").arg(m_files + QStringLiteral("2024_photo.jpg")));
    QCOMPARE(m_form->sbFiles->currentMessage(), QString::fromUtf8("Файлов 0 из 2. Конфликтов имён: 1."));
    m_form->cbExitOnFinal->setChecked(true);

    // The question comes once; No starts nothing.
    QStringList questions;
    const auto answer = [&](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, m_form.get(), [&questions, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            questions << box->text();
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        });
    };
    answer(QMessageBox::No);
    m_form->sbStartClick();
    QCOMPARE(questions.size(), 1);
    QVERIFY2(questions[0].startsWith(QString::fromUtf8("1 файл получит занятое имя и не будет переименован.")),
             qPrintable(questions[0]));
    QVERIFY(QFile::exists(m_files + QStringLiteral("notes.txt")));
    QCOMPARE(files.count(), 2);

    // Yes runs: the refused file stays in the list as failed, with the module's reason,
    // and "Выход по завершении" leaves the window open on it.
    answer(QMessageBox::Yes);
    m_form->sbStartClick();
    QCOMPARE(questions.size(), 2);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    QVERIFY(QFile::exists(m_files + QStringLiteral("2024_notes.txt")));
    QVERIFY(QFile::exists(m_files + QStringLiteral("photo.jpg")));
    QFile taken(m_files + QStringLiteral("2024_photo.jpg"));
    QVERIFY(taken.open(QIODevice::ReadOnly));
    QCOMPARE(taken.readAll(), QByteArray("taken"));
    QCOMPARE(files.count(), 1);
    QCOMPARE(fileRow(0), QStringLiteral("%1photo.jpg*%1").arg(m_files) + QStringLiteral("2024_photo.jpg"));
    QCOMPARE(files.mark(0), FileListModel::RowMark::Failed);
    const QString reason = files.markReason(0);
    QVERIFY2(reason.startsWith(QString::fromUtf8("Приставка «2024_»: rename: ")), qPrintable(reason));
    QCOMPARE(m_form->lbAction->text(), QString::fromUtf8("Ошибок: 1 из 2"));
    QCOMPARE(m_form->sbFiles->currentMessage(), QString::fromUtf8("Файлов 0 из 1."));
    QVERIFY(m_form->isVisible());

    // The kept row is a row like any other; without the taken name the next run
    // asks nothing, succeeds, says so and closes the window.
    QVERIFY(taken.remove());
    m_form->RebuildPreview();
    QCOMPARE(files.mark(0), FileListModel::RowMark::None);
    m_form->sbStartClick();
    QCOMPARE(questions.size(), 2);
    QCOMPARE(files.count(), 0);
    QCOMPARE(m_form->lbAction->text(), QString::fromUtf8("Готово: 1 файл"));
    QVERIFY(QFile::exists(m_files + QStringLiteral("2024_photo.jpg")));
    QVERIFY(!m_form->isVisible());
}

void MainWindowFlowTest::draggedActionTakesTheTargetsPlace()
{
    startWindow(QString());
    addActionItem(QStringLiteral("Приставка"))->trigger();
    addActionItem(QStringLiteral("В папку archive"))->trigger();
    addActionItem(QStringLiteral("Приставка"))->trigger();
    ActionChainModel &chain = m_form->chain();
    const auto order = [&chain] {
        QStringList captions;
        for (int row = 0; row < chain.count(); ++row)
            captions << chain.data(chain.index(row)).toString().left(3);
        return captions.join(QLatin1Char(','));
    };
    const std::uint64_t first = chain.serial(0);
    m_form->selectTemplateEntry(-1);
    m_form->lvActions->selectionModel()->setCurrentIndex(chain.index(0), QItemSelectionModel::ClearAndSelect);
    m_form->lvActionsDragDrop(m_form->lvActions->visualRect(chain.index(2)).center());
    QCOMPARE(order(), QStringLiteral("Пер,При,При"));
    QCOMPARE(chain.serial(2), first); // dropped onto a later row: it lands after it
    QCOMPARE(m_form->cbProfile->currentIndex(), 0);

    // Below the last row: no row is a target, nothing moves.
    m_form->lvActions->selectionModel()->setCurrentIndex(chain.index(0), QItemSelectionModel::ClearAndSelect);
    m_form->lvActionsDragDrop(QPoint(5, m_form->lvActions->viewport()->height() - 2));
    QCOMPARE(order(), QStringLiteral("Пер,При,При"));
    QVERIFY(m_errors.isEmpty());
}

void MainWindowFlowTest::templateErrorsReachTheGeneralHandler()
{
    QDir(m_programDir).mkpath(QStringLiteral("Templates"));
    writeFile(m_programDir + QStringLiteral("Templates/broken.ptp"), QByteArray("\x05\x00\x00\x00", 4));
    startWindow(QString());
    addActionItem(QStringLiteral("Приставка"))->trigger();
    QCOMPARE(m_form->cbProfile->count(), 2);
    m_form->cbProfile->setCurrentIndex(1);
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.front().startsWith(QStringLiteral("Шаблон «broken»: "))
                 && m_errors.front().endsWith(QStringLiteral("broken.ptp: Read beyond end of file")),
             qPrintable(m_errors.front()));
    QCOMPARE(m_form->chain().count(), 1); // the chain as it was
    // and unsaved: left on "broken", the close would record that name instead of saving the chain
    QCOMPARE(m_form->cbProfile->currentIndex(), 0);
    m_form->sbExitClick();
    startWindow(QString());
    QCOMPARE(m_form->chain().count(), 1);
    QCOMPARE(m_form->cbProfile->currentText(), QStringLiteral("~autosave"));

    // A damaged template recorded for the start: the error, an unsaved chain,
    // and the listed files still get their new names.
    writeFile(m_programDir + QStringLiteral("options.ini"), "[MAIN]\ntemplate=broken\n");
    const QString list = m_programDir + QStringLiteral("list.txt");
    writeFile(list, (m_files + QStringLiteral("photo.jpg\n")).toUtf8());
    m_errors.clear();
    startWindow(list);
    QCOMPARE(m_errors.size(), 1);
    QCOMPARE(m_form->cbProfile->currentIndex(), 0);
    QCOMPARE(fileRow(0), QStringLiteral("%1photo.jpg*%1photo.jpg").arg(m_files));
}

void MainWindowFlowTest::closeSavesTheChainAndTheNextStartRestoresIt()
{
    startWindow(QString());
    addActionItem(QStringLiteral("В папку archive"))->trigger();
    addActionItem(QStringLiteral("Приставка"))->trigger();
    m_form->sbExitClick();
    QVERIFY(!m_form->isVisible());
    QVERIFY(QFile::exists(m_programDir + QStringLiteral("Templates/~autosave.ptp")));
    QCOMPARE(m_form->chain().count(), 0);

    startWindow(QString());
    QCOMPARE(m_form->chain().count(), 2);
    QCOMPARE(m_form->chain().data(m_form->chain().index(1)).toString(), QStringLiteral("Приставка «2024_»"));
    QCOMPARE(m_form->cbProfile->currentText(), QStringLiteral("~autosave"));
    QVERIFY(m_errors.isEmpty());
}

QTEST_MAIN(MainWindowFlowTest)
#include "MainWindowFlowTest.moc"

void MainWindowFlowTest::runLabelNeverHidesAFailureNorALongCallsCaption()
{
    startWindow(QString());
    MainWindowSink sink(*m_form);
    sink.setRunning(true);
    sink.setStatusText(QStringLiteral("f0.txt / Первое"));
    // Right after a caption the next fast call's caption may be left out, but
    // not "Ошибка!", nor the caption of a call that may take long: an action's
    // first call, or one whose last call lasted long enough to be seen.
    sink.setStatusText(QString::fromUtf8("Ошибка!"));
    QCOMPARE(m_form->lbAction->text(), QString::fromUtf8("Ошибка!"));
    for (const std::int64_t previousCallMs : {std::int64_t(-1), std::int64_t(500)}) {
        sink.expectCall(previousCallMs);
        QVERIFY(sink.showsCallStatus());
    }
    sink.setRunning(false);
}
