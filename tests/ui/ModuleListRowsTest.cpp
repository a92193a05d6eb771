#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleRegistry.h"
#include "main/ui/ModuleListRows.h"

#include "tests/support/HostPlugins.h"

#include <QTreeWidget>
#include <QtTest>

using namespace brenmark;

class ModuleListRowsTest : public QObject
{
    Q_OBJECT

private:
    static QTreeWidgetItem *row(QTreeWidget &list, const QString &fileName)
    {
        const QList<QTreeWidgetItem *> found = list.findItems(fileName, Qt::MatchExactly, 0);
        return found.size() == 1 ? found.first() : nullptr;
    }

    static QStringList texts(const QTreeWidgetItem *item, int columns)
    {
        QStringList result;
        for (int c = 0; c < columns; ++c)
            result += item->text(c);
        return result;
    }

private slots:
    void listsShowEnabledAndDisabledModules()
    {
        HostPlugins plugins;
        plugins.add("alpha");
        plugins.add("plain");
        ModuleRegistry registry;
        ImageList imlAddMenu;
        ImageList imlModules;
        imlAddMenu.add(QImage(16, 16, QImage::Format_ARGB32));
        ModuleLoadSettings settings;
        settings.programDir = plugins.programDir();
        settings.disabledModules = {"FIXTURE_HOST_PLAIN.so"};
        registry.LoadModules(settings, imlAddMenu, imlModules);

        QTreeWidget lvModules;
        fillModuleList(&lvModules, registry.moduleListRows(), imlAddMenu);
        fillModuleList(&lvModules, registry.moduleListRows(), imlAddMenu); // refilling replaces
        QCOMPARE(lvModules.topLevelItemCount(), 2);
        QCOMPARE(lvModules.columnCount(), kModuleListColumnCount);
        QCOMPARE(texts(lvModules.headerItem(), 4), QStringList({"Модуль", "Имя", "Версия", "Запущен"}));
        for (int c = 0; c < kModuleListColumnCount; ++c)
            QCOMPARE(lvModules.isColumnHidden(c), c >= 4);

        QTreeWidgetItem *alpha = row(lvModules, "fixture_host_alpha.so");
        QVERIFY(alpha);
        QCOMPARE(texts(alpha, 10), QStringList({"fixture_host_alpha.so", "Alpha", "1.02", "Да", "Автор А",
                                                "Файлы\\Переименовать\\Alpha", "*.jpg", "One", "", "Three"}));
        QCOMPARE(alpha->checkState(0), Qt::Checked);
        QVERIFY(!alpha->icon(0).isNull());
        QCOMPARE(alpha->data(0, kModuleFileNameRole).toByteArray(), QByteArray("fixture_host_alpha.so"));
        QCOMPARE(moduleRowButtonCaptions(alpha), QStringList({"One", "", "Three"}));

        QTreeWidgetItem *plain = row(lvModules, "fixture_host_plain.so");
        QVERIFY(plain);
        QCOMPARE(texts(plain, 7), QStringList({"fixture_host_plain.so", "Plain", "1.02", "Нет", "Author P", "Plain", "*"}));
        QCOMPARE(plain->checkState(0), Qt::Unchecked);
        QVERIFY(plain->icon(0).isNull());
        QVERIFY(moduleRowButtonCaptions(plain).isEmpty());

        QTreeWidget lvAbout;
        fillAboutList(&lvAbout, registry.aboutRows(), imlAddMenu);
        QCOMPARE(texts(lvAbout.headerItem(), 5), QStringList({"Файл", "Имя", "Версия", "Автор", "Маска"}));
        QCOMPARE(lvAbout.topLevelItemCount(), 1);
        QTreeWidgetItem *about = lvAbout.topLevelItem(0);
        QCOMPARE(texts(about, 5), QStringList({"fixture_host_alpha.so", "Alpha", "1.02", "Автор А", "*.jpg"}));
        QVERIFY(!about->icon(0).isNull());
    }
};

QTEST_MAIN(ModuleListRowsTest)
#include "ModuleListRowsTest.moc"
