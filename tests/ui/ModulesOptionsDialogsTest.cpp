// The options dialogs of the shipped renaming modules, driven through
// showOptions as the host calls it, over a main window of the test's own.
#include "tests/support/DialogModule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTest>

#include <memory>

using namespace brenmark;

namespace {

QString exampleLine(QDialog *dialog)
{
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (label->text().contains(QStringLiteral("→")) || label->text().contains(QStringLiteral("ошибка"), Qt::CaseInsensitive))
            return label->text();
    return {};
}

class Module : public DialogModule
{
public:
    using DialogModule::DialogModule;

    QString preview(const char *path, void **slot) const
    {
        const char *name = path;
        guardModuleCall([&] {
            function<BrenmarkProcess>("process")(&name, path, 0, nullptr, slot, BRENMARK_MODE_PREVIEW);
        });
        return QString::fromUtf8(name);
    }
};

} // namespace

class ModulesOptionsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<QWidget>(); }
    void cleanup() { m_window.reset(); }

    void addingReplaceShowsTheExampleAndGivesACaption()
    {
        Module module("replace_text.so", m_window.get());
        QString example;
        QPointer<QWidget> parent;
        onDialog([&](QDialog *dialog) {
            parent = dialog->parentWidget();
            const auto edits = dialog->findChildren<QLineEdit *>();
            edits.at(0)->setText(QStringLiteral("IMG_"));
            edits.at(1)->setText(QStringLiteral("Фото_"));
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 1);
        QCOMPARE(parent.data(), m_window.get());
        QCOMPARE(example, QStringLiteral("IMG_0042 отпуск.JPG → Фото_0042 отпуск.JPG"));
        QVERIFY(slot);
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Замена: \"IMG_\" → \"Фото_\""));
        QCOMPARE(module.preview("/a/IMG_1.jpg", &slot), QStringLiteral("/a/Фото_1.jpg"));
        module.freeOpt(slot);
    }

    void anInvalidPatternDisablesOk()
    {
        Module module("replace_text.so", m_window.get());
        bool okEnabled = true;
        QString example;
        onDialog([&](QDialog *dialog) {
            dialog->findChildren<QLineEdit *>().at(0)->setText(QStringLiteral("(IMG"));
            dialog->findChildren<QCheckBox *>().at(0)->setChecked(true);
            okEnabled = button(dialog, QDialogButtonBox::Ok)->isEnabled();
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Cancel)->click();
        });
        void *slot = reinterpret_cast<void *>(0x1);
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 0);
        QVERIFY(!okEnabled);
        QVERIFY2(example.contains(QStringLiteral("регулярном выражении")), qPrintable(example));
        QCOMPARE(slot, nullptr);
    }

    void editingThenCancellingChangesNothing()
    {
        Module module("numbering.so", m_window.get());
        void *slot = nullptr;
        module.function<BrenmarkNewOpt>("newOpt")(&slot);
        const char *current = "Нумерация: 001_имя, с 1 шаг 1";
        const char *caption = current;
        onDialog([](QDialog *dialog) {
            dialog->findChildren<QSpinBox *>().at(0)->setValue(500);
            button(dialog, QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(module.showOptions(false, &slot, &caption), 0);
        QCOMPARE(caption, current);
        QCOMPARE(module.preview("/a/x.jpg", &slot), QStringLiteral("/a/001_x.jpg"));

        QString example;
        onDialog([&](QDialog *dialog) {
            dialog->findChildren<QComboBox *>().at(0)->setCurrentIndex(1); // after the name
            dialog->findChildren<QSpinBox *>().at(0)->setValue(7);
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(module.showOptions(false, &slot, &caption), 1);
        QCOMPARE(example, QStringLiteral("IMG_0042 отпуск.JPG → IMG_0042 отпуск_007.JPG"));
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Нумерация: имя_007, с 7 шаг 1"));
        QCOMPARE(module.preview("/a/x.jpg", &slot), QStringLiteral("/a/x_007.jpg"));
        module.freeOpt(slot);
    }

    void theExampleShowsANameThatCannotBe()
    {
        Module module("insert_text.so", m_window.get());
        QString example;
        onDialog([&](QDialog *dialog) {
            dialog->findChild<QLineEdit *>()->setText(QStringLiteral("a/b"));
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Cancel)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 0);
        QVERIFY2(example.contains(QStringLiteral("ошибка")) && example.contains(QStringLiteral("«/»")),
                 qPrintable(example));
    }

    void aNamePatternIsRefusedWithItsFaultAndShownOnTheSample()
    {
        Module module("name_pattern.so", m_window.get());
        QStringList refusals;
        bool refusedOk = true;
        QString example;
        onDialog([&](QDialog *dialog) {
            auto *pattern = dialog->findChild<QLineEdit *>(QStringLiteral("edPattern"));
            for (const char *bad : {"[X].[E]", "Отпуск [N", "[N]/[E]", ""}) {
                pattern->setText(QString::fromUtf8(bad));
                refusals << exampleLine(dialog);
                refusedOk = refusedOk && !button(dialog, QDialogButtonBox::Ok)->isEnabled();
            }
            pattern->setText(QStringLiteral("[P] [N3-] [C:1,1,3].[E]"));
            example = exampleLine(dialog);
            button(dialog, QDialogButtonBox::Ok)->click();
        });
        void *slot = nullptr;
        const char *caption = nullptr;
        QCOMPARE(module.showOptions(true, &slot, &caption), 1);
        QVERIFY(refusedOk);
        QCOMPARE(refusals.size(), 4);
        QVERIFY2(refusals[0].contains(QStringLiteral("Позиция 1: неизвестная метка «[X]»")), qPrintable(refusals[0]));
        QVERIFY2(refusals[1].contains(QStringLiteral("Позиция 8: скобка «[» не закрыта")), qPrintable(refusals[1]));
        QVERIFY2(refusals[2].contains(QStringLiteral("«/»")), qPrintable(refusals[2]));
        QVERIFY2(refusals[3].contains(QStringLiteral("Шаблон пуст")), qPrintable(refusals[3]));
        QCOMPARE(example, QStringLiteral("IMG_0042 отпуск.JPG → Отпуск G_0042 отпуск 001.JPG"));
        QCOMPARE(QString::fromUtf8(caption), QStringLiteral("Шаблон: [P] [N3-] [C:1,1,3].[E]"));
        QCOMPARE(module.preview("/a/IMG_1.jpg", &slot), QStringLiteral("/a/a G_1 001.jpg"));
        module.freeOpt(slot);
    }

    void everyModuleOpensItsDialog()
    {
        for (const char *file : {"insert_text.so", "replace_text.so", "remove_text.so", "letter_case.so",
                                 "numbering.so", "name_pattern.so"}) {
            Module module(file, m_window.get());
            QString example;
            onDialog([&](QDialog *dialog) {
                example = exampleLine(dialog);
                button(dialog, QDialogButtonBox::Ok)->click();
            });
            void *slot = nullptr;
            const char *caption = nullptr;
            QCOMPARE(module.showOptions(true, &slot, &caption), 1);
            QVERIFY2(example.contains(QStringLiteral(" → ")), file);
            QVERIFY2(caption && *caption, file);
            module.freeOpt(slot);
        }
    }

private:
    std::unique_ptr<QWidget> m_window;
};

QTEST_MAIN(ModulesOptionsDialogsTest)
#include "ModulesOptionsDialogsTest.moc"
