// The options dialogs and command buttons of the extension, date,
// transliteration, music tags and move modules, driven through their exports as the host
// calls them, over a main window of the test's own.
#include "tests/support/DialogModule.h"

#include "modules/move_to_folder/MoveOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cstring>
#include <memory>

using namespace brenmark;

namespace {

QString exampleLine(QDialog *dialog)
{
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (label->text().contains(QStringLiteral("→")) || label->text().startsWith(QStringLiteral("Ошибка")))
            return label->text();
    return {};
}

class Module : public DialogModule
{
public:
    using DialogModule::DialogModule;

    QString process(const QString &path, void **slot, int32_t mode) const
    {
        const QByteArray bytes = path.toUtf8();
        const char *name = bytes.constData();
        guardModuleCall([&] { function<BrenmarkProcess>("process")(&name, bytes.constData(), 0, nullptr, slot, mode); });
        return QString::fromUtf8(name);
    }
};

} // namespace

class FileModulesDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<QWidget>(); }
    void cleanup() { m_window.reset(); }

    void extensionNeedsATextToAdd()
    {
        Module module("extension.so", m_window.get());
        bool okWithoutText = true;
        QString example;
        onDialog([&](QDialog *dialog) {
            dialog->findChild<QComboBox *>()->setCurrentIndex(2); // add another extension
            dialog->findChild<QLineEdit *>()->clear();
            okWithoutText = button(dialog, QDialogButtonBox::Ok)->isEnabled();
            dialog->findChild<QLineEdit *>()->setText(QStringLiteral(".bak"));
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 1);
        QVERIFY(!okWithoutText);
        QCOMPARE(example, QStringLiteral("IMG_0042 отпуск.JPG → IMG_0042 отпуск.JPG.bak"));
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Расширение: добавить \"bak\""));
        QCOMPARE(module.process(QStringLiteral("/a/b.txt"), &slot, BRENMARK_MODE_PREVIEW), QStringLiteral("/a/b.txt.bak"));
        module.freeOpt(slot);
    }

    void dateFromExifReplacesTheName()
    {
        Module module("date_time.so", m_window.get());
        bool okWithSlash = true;
        QString example;
        onDialog([&](QDialog *dialog) {
            const auto combos = dialog->findChildren<QComboBox *>();
            combos.at(0)->setCurrentIndex(1); // EXIF
            combos.at(1)->setCurrentIndex(2); // whole name
            combos.at(2)->setCurrentText(QStringLiteral("%Y/%m"));
            okWithSlash = button(dialog, QDialogButtonBox::Ok)->isEnabled();
            combos.at(2)->setCurrentText(QStringLiteral("%Y%m%d"));
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 1);
        QVERIFY(!okWithSlash);
        QVERIFY2(example.contains(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".JPG")),
                 qPrintable(example));
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Дата съёмки \"%Y%m%d\" вместо имени"));
        const QString photo = QStringLiteral(BRENMARK_SOURCE_DIR "/tests/data/modules_exif.jpg");
        QCOMPARE(module.process(photo, &slot, BRENMARK_MODE_PREVIEW),
                 QStringLiteral(BRENMARK_SOURCE_DIR "/tests/data/20190621.jpg"));
        module.freeOpt(slot);
    }

    void transliterationShowsSystemsAndTypography()
    {
        Module module("transliteration.so", m_window.get());
        QString passport;
        QString gost;
        QString gostAscii;
        bool marksEnabledForIcao = true;
        bool quotesEnabledWhenKept = true;
        onDialog([&](QDialog *dialog) {
            const auto combos = dialog->findChildren<QComboBox *>();
            const auto checks = dialog->findChildren<QCheckBox *>();
            passport = exampleLine(dialog);
            marksEnabledForIcao = checks.at(0)->isEnabled();
            combos.at(0)->setCurrentIndex(0);
            checks.at(1)->setChecked(false);
            gost = exampleLine(dialog);
            quotesEnabledWhenKept = combos.at(2)->isEnabled();
            checks.at(1)->setChecked(true);
            combos.at(2)->setCurrentIndex(1);
            gostAscii = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 1);
        // A new action starts with the passport letters and plain ASCII.
        QCOMPARE(passport, QStringLiteral("Объявление № 5 — «Щукин».ДОК → Obieiavlenie No 5 - Shchukin.ДОК"));
        QVERIFY(!marksEnabledForIcao);
        QCOMPARE(gost, QStringLiteral("Объявление № 5 — «Щукин».ДОК → Ob``yavlenie № 5 — «Shhukin».ДОК"));
        QVERIFY(!quotesEnabledWhenKept);
        QCOMPARE(gostAscii, QStringLiteral("Объявление № 5 — «Щукин».ДОК → Ob``yavlenie No 5 - \"Shhukin\".ДОК"));
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Транслит: ГОСТ 7.79-2000 Б, знаки → ASCII"));
        QCOMPARE(module.process(QStringLiteral("/a/«Ёж»….txt"), &slot, BRENMARK_MODE_PREVIEW),
                 QStringLiteral("/a/\"Yozh\"....txt"));
        module.freeOpt(slot);
    }

    void musicTagsRefuseUnknownPlaceholders()
    {
        Module module("music_tags.so", m_window.get());
        bool okWithTypo = true;
        QString typo;
        QString example;
        bool textEnabledBefore = true;
        bool textEnabledAfter = false;
        onDialog([&](QDialog *dialog) {
            auto *pattern = dialog->findChildren<QComboBox *>().at(0);
            auto *fallback = dialog->findChildren<QComboBox *>().at(1);
            pattern->setCurrentText(QStringLiteral("[track] - [titel]"));
            okWithTypo = button(dialog, QDialogButtonBox::Ok)->isEnabled();
            typo = exampleLine(dialog);
            pattern->setCurrentText(QStringLiteral("[track] - [title]"));
            example = exampleLine(dialog);
            textEnabledBefore = dialog->findChild<QLineEdit *>(QStringLiteral("fallbackText"))->isEnabled();
            fallback->setCurrentIndex(1);
            textEnabledAfter = dialog->findChild<QLineEdit *>(QStringLiteral("fallbackText"))->isEnabled();
            dialog->findChild<QLineEdit *>(QStringLiteral("fallbackText"))->setText(QStringLiteral("Без тегов"));
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 1);
        QVERIFY(!okWithTypo);
        QVERIFY2(typo.contains(QStringLiteral("[titel]")), qPrintable(typo));
        QCOMPARE(example, QStringLiteral("01 - Исполнитель - Песня.MP3 → 01 - Песня.mp3"));
        QVERIFY(!textEnabledBefore);
        QVERIFY(textEnabledAfter);
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Теги: \"[track] - [title]\", без тегов: \"Без тегов\""));
        module.freeOpt(slot);
    }

    void moveEditCancelKeepsCaption()
    {
        Module module("move_to_folder.so", m_window.get());
        bool okWithoutFolder = true;
        QString example;
        onDialog([&](QDialog *dialog) {
            auto *folder = dialog->findChild<QLineEdit *>();
            folder->clear();
            okWithoutFolder = button(dialog, QDialogButtonBox::Ok)->isEnabled();
            folder->setText(QStringLiteral("Архив/%Y"));
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 1);
        QVERIFY(!okWithoutFolder);
        const QString home = QDir::homePath();
        QCOMPARE(example, home + QStringLiteral("/Фото/IMG_0042.JPG → ") + home + QStringLiteral("/Фото/Архив/")
                              + QString::number(QDate::currentDate().year()) + QStringLiteral("/IMG_0042.JPG"));
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Переместить в \"Архив/%Y\""));

        const char *current = "как было";
        caption = current;
        onDialog([](QDialog *dialog) {
            dialog->findChild<QLineEdit *>()->setText(QStringLiteral("/другая"));
            button(dialog, QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(module.showOptions(false, &slot, &caption), 0);
        QCOMPARE(caption, current);
        module.freeOpt(slot);
    }

    // The module's one command is "О модуле"; the undo is the program's.
    void aboutNamesTheProgramsUndo()
    {
        Module module("move_to_folder.so", m_window.get());
        bool aboutShown = false;
        onDialog([&](QDialog *dialog) {
            aboutShown = dialog->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))
                             ->text()
                             .contains(QStringLiteral("Отменить последний запуск"));
            dialog->accept();
        });
        guardModuleCall([&] { module.function<BrenmarkClickBtn>("clickBtn")(0); });
        QVERIFY(aboutShown);
    }

    // A move to another file system fills the host's progress bar.
    void aMoveToAnotherFileSystemFillsTheHostsProgressBar()
    {
        QTemporaryDir files;
        QTemporaryDir target(QStringLiteral("/dev/shm/brenmark-move-XXXXXX"));
        QVERIFY(files.isValid() && target.isValid());
        struct stat from {}, to {};
        QVERIFY(::stat(QFile::encodeName(files.path()).constData(), &from) == 0);
        QVERIFY(::stat(QFile::encodeName(target.path()).constData(), &to) == 0);
        if (from.st_dev == to.st_dev)
            QSKIP("the temporary folder and /dev/shm are one file system here");
        Module module("move_to_folder.so", m_window.get());
        void *slot = nullptr;
        module.function<BrenmarkNewOpt>("newOpt")(&slot);
        auto *options = static_cast<movetofolder::MoveOptions *>(slot);
        const QByteArray folder = target.path().toUtf8();
        std::memset(options->folder, 0, sizeof options->folder);
        std::memcpy(options->folder, folder.constData(), size_t(folder.size()));

        const QString original = files.filePath(QStringLiteral("большой.bin"));
        QFile file(original);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3 * 1024 * 1024 + 5, 'x')); // more than one copy buffer
        file.close();
        QProgressBar bar;
        bar.setRange(0, 7);
        const QByteArray bytes = original.toUtf8();
        const char *name = bytes.constData();
        void *handle = static_cast<QWidget *>(&bar);
        guardModuleCall([&] {
            module.function<BrenmarkProcess>("process")(&name, bytes.constData(), 0, handle, &slot, BRENMARK_MODE_RUN);
        });
        const QString moved = QString::fromUtf8(name);
        QCOMPARE(moved, target.filePath(QStringLiteral("большой.bin")));
        QVERIFY(QFile::exists(moved) && !QFile::exists(original));
        QCOMPARE(bar.maximum(), 100);
        QCOMPARE(bar.value(), 100);
        module.freeOpt(slot);
    }

private:
    std::unique_ptr<QWidget> m_window;
};

QTEST_MAIN(FileModulesDialogsTest)
#include "FileModulesDialogsTest.moc"
