#include "about/ui/TfmAbout.h"
#include "main/ui/ModuleListRows.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace brenmark;

class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class AboutDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void formAndControls();
    void moduleRows();
    void linksUnderlineOnHover();
    void linksOpenTheirAddresses();
    void okEndsTheDialog();
};

void AboutDialogTest::formAndControls()
{
    TfmAbout dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("О программе"));
    QCOMPARE(dialog.size(), QSize(447, 348));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const struct {
        const char *name;
        QPoint at;
        const char *text;
    } labels[] = {
        {"Label6", {376, 26}, "Версия 0.6.9"},
        {"Label4", {3, 139}, "Модули:"},
        {"Label7", {8, 296}, "https://brenmark.example.org/"},
        {"Label3", {8, 311}, "e-mail: korvane@brenmark.example.org"},
    };
    for (const auto &label : labels) {
        auto *widget = dialog.findChild<QLabel *>(label.name);
        QVERIFY2(widget, label.name);
        QCOMPARE(widget->pos(), label.at);
        QCOMPARE(widget->text(), QString::fromUtf8(label.text));
    }
    // The title keeps its design place unless the font at hand is too wide for it.
    auto *title = dialog.findChild<QLabel *>("Label5");
    QCOMPARE(title->text(), QStringLiteral("Korvane Brenmark"));
    QCOMPARE(title->y(), 5);
    QVERIFY(title->font().bold());
    QVERIFY(title->geometry().right() <= dialog.width() - 4);
    QCOMPARE(title->x(), std::min(297, dialog.width() - 4 - title->width()));

    auto *notice = dialog.findChild<QLabel *>("Label1");
    QCOMPARE(notice->geometry(), QRect(59, 62, 329, 65));
    const QStringList lines = notice->text().split('\n');
    QCOMPARE(lines.size(), 5);
    QVERIFY(lines[2].isEmpty());
    auto *image = dialog.findChild<QLabel *>("Image1");
    QCOMPARE(image->pixmap().size(), QSize(50, 50));
    QCOMPARE(dialog.findChild<QLabel *>("Label7")->toolTip(), QStringLiteral("Перейти на домашнюю страницу программы"));
    QCOMPARE(dialog.findChild<QLabel *>("Label3")->toolTip(), QStringLiteral("Написать письмо автору"));
    auto *ok = dialog.findChild<QPushButton *>("Button1");
    QCOMPARE(ok->geometry(), QRect(358, 315, 75, 25));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
}

void AboutDialogTest::moduleRows()
{
    TfmAbout dialog;
    QTreeWidget *lvAbout = dialog.modulesList();
    QCOMPARE(lvAbout->objectName(), QStringLiteral("lvAbout"));
    QCOMPARE(lvAbout->geometry(), QRect(3, 154, 440, 136));
    const char *headers[] = {"Файл", "Имя", "Версия", "Автор", "Маска"};
    const int widths[] = {115, 154, 52, 60, 48};
    QCOMPARE(lvAbout->columnCount(), 5);
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(lvAbout->headerItem()->text(column), QString::fromUtf8(headers[column]));
        QCOMPARE(lvAbout->columnWidth(column), widths[column]);
    }
    dialog.show();
    QCOMPARE(lvAbout->topLevelItemCount(), 0);

    AboutRow row;
    row.fileName = "resize.so";
    row.caption = QStringLiteral("resize.so");
    row.name = QStringLiteral("Размер");
    row.version = QStringLiteral("1.2");
    row.author = QStringLiteral("K.");
    row.mask = QStringLiteral("*.jpg");
    fillAboutList(lvAbout, {row}, ImageList());
    QCOMPARE(lvAbout->topLevelItemCount(), 1);
    QCOMPARE(lvAbout->topLevelItem(0)->text(0), QStringLiteral("resize.so"));
    QCOMPARE(lvAbout->topLevelItem(0)->text(4), QStringLiteral("*.jpg"));
    QCOMPARE(lvAbout->columnWidth(1), 154);
}

void AboutDialogTest::linksUnderlineOnHover()
{
    TfmAbout dialog;
    dialog.show();
    for (const char *name : {"Label7", "Label3"}) {
        auto *link = dialog.findChild<QLabel *>(name);
        const QColor colour = link->palette().color(QPalette::WindowText);
        QCOMPARE(colour, dialog.palette().color(QPalette::Link));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!link->font().underline());
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), link->mapToGlobal(QPointF(1, 1)));
        QApplication::sendEvent(link, &enter);
        QVERIFY2(link->font().underline(), name);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QVERIFY2(!link->font().underline(), name);
        QCOMPARE(link->palette().color(QPalette::WindowText), colour);
    }
}

void AboutDialogTest::linksOpenTheirAddresses()
{
    UrlRecorder recorder;
    for (const char *scheme : {"https", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    TfmAbout dialog;
    dialog.show();
    QTest::mouseClick(dialog.findChild<QLabel *>("Label7"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QLabel *>("Label3"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QLabel *>("Label3"), Qt::RightButton);
    QCOMPARE(recorder.opened.size(), 2);
    QCOMPARE(recorder.opened[0], QUrl(QStringLiteral("https://brenmark.example.org/")));
    QCOMPARE(recorder.opened[1].scheme(), QStringLiteral("mailto"));
    QCOMPARE(recorder.opened[1].path(), QStringLiteral("korvane@brenmark.example.org"));
    QCOMPARE(QUrlQuery(recorder.opened[1]).queryItemValue("subject"), QStringLiteral("Korvane Brenmark"));
    for (const char *scheme : {"https", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);
}

void AboutDialogTest::okEndsTheDialog()
{
    TfmAbout dialog;
    dialog.show();
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.findChild<QPushButton *>("Button1")->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
