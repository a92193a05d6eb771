#include "information/ui/FileTools.h"
#include "information/ui/TfmInfo.h"
#include "main/ui/BrenmarkApplication.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QtTest>

#include <functional>

using namespace brenmark;

namespace {

std::string bytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QString fieldText(QWidget *dialog, const char *name)
{
    auto *field = dialog->findChild<QLineEdit *>(name);
    return field ? field->text() : QStringLiteral("<missing %1>").arg(name);
}

bool boxChecked(QWidget *dialog, const char *name)
{
    auto *box = dialog->findChild<QCheckBox *>(name);
    return box && box->isChecked();
}

// Runs `step` once the modal dialog of `Type` is up (from inside its event loop).
template<typename Type>
void whenModal(std::function<void(Type *)> step)
{
    QTimer::singleShot(0, [step] {
        auto *dialog = qobject_cast<Type *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        step(dialog);
    });
}

} // namespace

class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class InfoDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formAndControls();
    void opensCentredOnTheScreenWhereverTheWindowStands();
    void informationOfAFile();
    void previewOffLeavesTheAfterFieldsEmpty();
    void unreadableFileShowsNoDialog();
    void renameDialogAndRefusal();
    void renameAccepted();
    void openOnlyWhenRunFilesIsOn();
};

void InfoDialogTest::initTestCase()
{
    // Qt's own dialogs speak Russian once the set-up installed Qt's translations.
    QVERIFY(installQtTranslations(*QCoreApplication::instance()));
}

void InfoDialogTest::formAndControls()
{
    TfmInfo dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Информация о файле"));
    QCOMPARE(dialog.size(), QSize(541, 313));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const struct {
        const char *name;
        const char *text;
    } labels[] = {{"Label5", "Информация о файле"}, {"Label3", "текущее"}, {"Label4", "будущее"},
                  {"Label1", "Имя:"}, {"Label2", "Путь:"}, {"Label7", "Размер:"}, {"Label8", "CRC:"},
                  {"Label6", "Аттрибуты:"}};
    for (const auto &label : labels) {
        auto *widget = dialog.findChild<QLabel *>(label.name);
        QVERIFY2(widget, label.name);
        QCOMPARE(widget->text(), QString::fromUtf8(label.text));
    }
    for (const char *name : {"edNameNow", "edNameAft", "edPathNow", "edPathAft", "edSizeNow", "edSizeAft",
                             "edCRCNow", "edCRCAft"}) {
        auto *field = dialog.findChild<QLineEdit *>(name);
        QVERIFY2(field && field->isReadOnly(), name);
    }
    QCOMPARE(fieldText(&dialog, "edSizeAft"), QStringLiteral("?"));
    QCOMPARE(fieldText(&dialog, "edCRCAft"), QStringLiteral("?"));
    QVERIFY(!dialog.findChild<QWidget *>("Panel1")->isEnabled());
    QCOMPARE(dialog.findChild<QCheckBox *>("cbRONow")->text(), QStringLiteral("только чтение"));
    QCOMPARE(dialog.findChild<QCheckBox *>("cbHidenAft")->text(), QStringLiteral("скрытый"));
    auto *ok = dialog.findChild<QToolButton *>("SpeedButton1");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->focusPolicy(), Qt::NoFocus);
    QCOMPARE(ok->parentWidget()->objectName(), QStringLiteral("GroupBox1"));
}

void InfoDialogTest::opensCentredOnTheScreenWhereverTheWindowStands()
{
    QWidget window;
    window.setGeometry(20, 30, 300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TfmInfo dialog(&window);
    const QPoint screenCentre = window.screen()->availableGeometry().center();
    for (const QPoint place : {QPoint(20, 30), QPoint(400, 300)}) {
        window.move(place);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2((dialog.frameGeometry().center() - screenCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("centre %1,%2").arg(dialog.frameGeometry().center().x())
                                .arg(dialog.frameGeometry().center().y())));
        dialog.hide();
    }
}

void InfoDialogTest::informationOfAFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(".digits");
    writeFile(path, "123456789");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);

    TfmInfo dialog;
    bool checked = false;
    whenModal<TfmInfo>([&](TfmInfo *shown) {
        QCOMPARE(shown, &dialog);
        QCOMPARE(fieldText(shown, "edNameNow"), QStringLiteral(".digits"));
        QCOMPARE(fieldText(shown, "edPathNow"), folder.path() + "/");
        QCOMPARE(fieldText(shown, "edSizeNow"), QStringLiteral("9.00 B (9 байт)"));
        QCOMPARE(fieldText(shown, "edCRCNow"), QStringLiteral("CBF43926"));
        QCOMPARE(fieldText(shown, "edNameAft"), QStringLiteral("DIGITS"));
        QCOMPARE(fieldText(shown, "edPathAft"), QStringLiteral("/out/"));
        QCOMPARE(fieldText(shown, "edSizeAft"), QStringLiteral("?"));
        QCOMPARE(fieldText(shown, "edCRCAft"), QStringLiteral("?"));
        QVERIFY(boxChecked(shown, "cbHidenNow"));
        QVERIFY(boxChecked(shown, "cbRONow"));
        QVERIFY(!boxChecked(shown, "cbHidenAft"));
        QVERIFY(!boxChecked(shown, "cbROAft"));
        checked = true;
        shown->findChild<QToolButton *>("SpeedButton1")->click();
    });
    QLocale::setDefault(QLocale::c());
    dialog.N22Click(bytes(path), [](const std::string &) { return std::string("/out/DIGITS"); });
    QVERIFY(checked);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void InfoDialogTest::previewOffLeavesTheAfterFieldsEmpty()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("a.txt");
    writeFile(path, "abc");
    TfmInfo dialog;
    // Fields of an earlier file must not survive into this one.
    dialog.showInformation({QStringLiteral("old"), QStringLiteral("/old/"), true, true, 1, QStringLiteral("x"),
                            QStringLiteral("y"), QStringLiteral("old-after"), QStringLiteral("/old-after/")});
    whenModal<TfmInfo>([](TfmInfo *shown) {
        QCOMPARE(fieldText(shown, "edNameNow"), QStringLiteral("a.txt"));
        QVERIFY(fieldText(shown, "edNameAft").isEmpty());
        QVERIFY(fieldText(shown, "edPathAft").isEmpty());
        QVERIFY(!boxChecked(shown, "cbHidenNow"));
        shown->close();
    });
    dialog.N22Click(bytes(path), [](const std::string &) { return std::string(); });
    QVERIFY(!dialog.isVisible());
}

void InfoDialogTest::unreadableFileShowsNoDialog()
{
    QTemporaryDir folder;
    TfmInfo dialog;
    bool raised = false;
    try {
        dialog.N22Click(bytes(folder.filePath("gone")), {});
    } catch (const std::runtime_error &error) {
        raised = QString::fromUtf8(error.what()).startsWith(QStringLiteral("Cannot open file"));
    }
    QVERIFY(raised);
    QVERIFY(!dialog.isVisible());
}

void InfoDialogTest::renameDialogAndRefusal()
{
    QTemporaryDir folder;
    const QString source = folder.filePath("a.txt");
    writeFile(source, "source");
    writeFile(folder.filePath("b.txt"), "other");

    QWidget window;
    whenModal<QInputDialog>([](QInputDialog *input) {
        QCOMPARE(input->windowTitle(), QStringLiteral("Переименование"));
        QCOMPARE(input->labelText(), QStringLiteral("Название файла:"));
        QCOMPARE(input->textValue(), QStringLiteral("a.txt"));
        QCOMPARE(input->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text(),
                 QStringLiteral("Отмена"));
        input->setTextValue(QStringLiteral("b.txt"));
        input->accept();
    });
    const FileEntry row = FileEntry::parse(FileEntry::dialogRow(bytes(source)));
    const PreviewFunction preview = [](const std::string &path) { return path + ".new"; };
    QCOMPARE(N21Click(&window, row, preview).text(), FileEntry::fullRow(0, bytes(source), bytes(source) + ".new"));
    QFile other(folder.filePath("b.txt"));
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), QByteArray("other"));
    QVERIFY(QFile::exists(source));

    whenModal<QInputDialog>([](QInputDialog *input) {
        input->setTextValue(QStringLiteral("c.txt"));
        input->reject();
    });
    QCOMPARE(N21Click(&window, row, preview).currentPath, bytes(source));
    QVERIFY(QFile::exists(source));
    QVERIFY(!QFile::exists(folder.filePath("c.txt")));
}

void InfoDialogTest::renameAccepted()
{
    QTemporaryDir folder;
    const QString source = folder.filePath("a.txt");
    writeFile(source, "source");
    QWidget window;
    whenModal<QInputDialog>([](QInputDialog *input) {
        input->setTextValue(QStringLiteral("новое имя.txt"));
        input->accept();
    });
    const FileEntry row = FileEntry::parse(FileEntry::listRow(bytes(source)));
    const QString renamed = folder.filePath(QStringLiteral("новое имя.txt"));
    QCOMPARE(N21Click(&window, row, {}).text(), FileEntry::fullRow(0, bytes(renamed), ""));
    QVERIFY(QFile::exists(renamed));
    QVERIFY(!QFile::exists(source));
}

void InfoDialogTest::openOnlyWhenRunFilesIsOn()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    openFileWithDesktop("/tmp/x.txt", false);
    openFileWithDesktop("", true);
    QVERIFY(recorder.opened.isEmpty());
    openFileWithDesktop("/tmp/x y.txt", true);
    openFileWithDesktop("/tmp/n\xFF", true);
    QCOMPARE(recorder.opened.size(), 2);
    QCOMPARE(recorder.opened[0], QUrl::fromLocalFile(QStringLiteral("/tmp/x y.txt")));
    QCOMPARE(recorder.opened[1].toEncoded(), QByteArray("file:///tmp/n%FF"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

QTEST_MAIN(InfoDialogTest)
#include "InfoDialogTest.moc"
