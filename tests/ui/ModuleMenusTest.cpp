#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleCommand.h"
#include "main/core/modulehost/ModuleRegistry.h"
#include "main/ui/ModuleMenus.h"

#include "tests/support/HostPlugins.h"

#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace brenmark;

class ModuleMenusTest : public QObject
{
    Q_OBJECT

private:
    void load(HostPlugins &plugins, ModuleRegistry &registry)
    {
        ModuleLoadSettings settings;
        settings.programDir = plugins.programDir();
        registry.LoadModules(settings, m_imlAddMenu, m_imlModules);
    }

    static QList<QAction *> withoutSeparators(const QList<QAction *> &actions)
    {
        QList<QAction *> result;
        for (QAction *action : actions) {
            if (!action->isSeparator())
                result += action;
        }
        return result;
    }

    ImageList m_imlAddMenu;
    ImageList m_imlModules;

private slots:
    void init()
    {
        m_imlAddMenu.clear();
        m_imlModules.clear();
        QImage category(16, 16, QImage::Format_ARGB32);
        category.fill(Qt::darkYellow);
        m_imlAddMenu.add(category);
    }

    void addActionMenusMirrorTheTree()
    {
        HostPlugins plugins;
        plugins.add("alpha");
        plugins.add("beta");
        plugins.add("plain");
        ModuleRegistry registry;
        load(plugins, registry);

        QMenu pmAddAction;
        QMenu n2("Добавить");
        QList<QAction *> picked;
        const AddActionHandler onAdd = [&picked](QAction *item) { picked += item; };
        fillAddActionMenu(&pmAddAction, registry.actionMenu(), m_imlAddMenu, onAdd);
        fillAddActionMenu(&n2, registry.actionMenu(), m_imlAddMenu, onAdd);

        for (QMenu *menu : {&pmAddAction, &n2}) {
            const QList<QAction *> root = menu->actions();
            QCOMPARE(root.size(), 2);
            QVERIFY(root[0]->menu());
            QVERIFY(!root[0]->icon().isNull());
            QCOMPARE(moduleItemData(root[0]).module, nullptr);
            QCOMPARE(root[1]->text(), QString("Plain"));
            QVERIFY(root[1]->icon().isNull());

            const QList<QAction *> files = root[0]->menu()->actions();
            QCOMPARE(files.size(), 2);
            QCOMPARE(files[0]->text(), QString("Переименовать"));
            QCOMPARE(files[1]->text(), QString("Beta"));
            QVERIFY(!files[1]->icon().isNull());
            const QList<QAction *> rename = files[0]->menu()->actions();
            QCOMPARE(rename.size(), 1);
            QAction *alpha = rename[0];
            QCOMPARE(alpha->text(), QString("Alpha"));
            QVERIFY(!alpha->icon().isNull());
            QCOMPARE(alpha->statusTip(), QString("fixture_host_alpha.so"));
            const ModuleMenuItemData data = moduleItemData(alpha);
            QCOMPARE(data.fileName, std::string("fixture_host_alpha.so"));
            QCOMPARE(data.module, registry.FindActionItem("fixture_host_alpha.so").module);
            QVERIFY(data.module);

            alpha->trigger();
            QCOMPARE(picked.size(), 1);
            QCOMPARE(picked.takeFirst(), alpha);
            root[0]->trigger(); // a category does nothing
            QVERIFY(picked.isEmpty());
        }
    }

    void modulesMenuRunsEachModulesOwnButtons()
    {
        HostPlugins plugins;
        plugins.add("alpha");
        plugins.add("delta");
        ModuleRegistry registry;
        load(plugins, registry);
        QMenu pmModules;
        fillModulesMenu(&pmModules, registry.moduleCommands(), m_imlModules);

        const QList<QAction *> items = pmModules.actions();
        QCOMPARE(items.size(), 6);
        QCOMPARE(items.size() - withoutSeparators(items).size(), 1);
        QVERIFY(items[2]->isSeparator() || items[3]->isSeparator());

        plugins.clearCalls();
        QStringList expected;
        for (QAction *item : withoutSeparators(items)) {
            const ModuleMenuItemData data = moduleItemData(item);
            const QString id = data.module == registry.FindActionItem("fixture_host_alpha.so").module ? "alpha" : "delta";
            expected += id + " clickBtn " + QString::number(data.buttonNumber);
            item->trigger();
        }
        QCOMPARE(plugins.calls(), expected);
        expected.sort();
        QCOMPARE(expected, QStringList({"alpha clickBtn 0", "alpha clickBtn 1", "alpha clickBtn 2", "delta clickBtn 0",
                                        "delta clickBtn 1"}));

        int withImage = 0;
        for (QAction *item : withoutSeparators(items))
            withImage += item->icon().isNull() ? 0 : 1;
        QCOMPARE(withImage, 2); // alpha's BUTTON0 and BUTTON2
    }

    void commandFailureReachesTheHandler()
    {
        HostPlugins plugins;
        plugins.add("plain");
        ModuleRegistry registry;
        load(plugins, registry);
        ModuleCommand command;
        command.caption = "Без clickBtn";
        command.module = registry.moduleHandles().handle(0);
        command.buttonNumber = 0;
        QMenu pmModules;
        QStringList errors;
        fillModulesMenu(&pmModules, {command}, m_imlModules,
                        [&errors](const std::exception &error) { errors += QString::fromUtf8(error.what()); });
        pmModules.actions().first()->trigger();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains("clickBtn"), qPrintable(errors[0]));
    }

    void everySeparatorOfTheRegistryIsShown()
    {
        // Modules that export buttons but have none add a separator each: two in a row
        // and one at the end must still be seen, not collapsed away.
        ModuleCommand command;
        command.caption = "Команда";
        ModuleCommand separator;
        separator.isSeparator = true;
        separator.caption = "-";
        QMenu pmModules;
        fillModulesMenu(&pmModules, {command, separator, separator, command, separator}, m_imlModules);
        const QList<QAction *> items = pmModules.actions();
        QCOMPARE(items.size(), 5);
        for (QAction *item : items)
            QVERIFY2(!pmModules.actionGeometry(item).isEmpty(), qPrintable(item->text()));
    }

    void showLoadedModulesFillsEveryTargetAndEnablesTheButtonOnlyWithCommands()
    {
        for (const bool withButtons : {false, true}) {
            HostPlugins plugins;
            plugins.add("plain");
            plugins.add(withButtons ? "delta" : "beta");
            ModuleRegistry registry;
            load(plugins, registry);
            QMenu pmAddAction;
            pmAddAction.addAction("старый пункт");
            QMenu n2;
            QMenu pmModules;
            QPushButton sbModules;
            sbModules.setEnabled(false);
            showLoadedModules(registry, {&pmAddAction, &n2, &pmModules, &sbModules}, m_imlAddMenu, m_imlModules,
                              [](QAction *) {});
            QCOMPARE(pmAddAction.actions().size(), 2);
            QCOMPARE(n2.actions().size(), 2);
            for (QAction *item : pmAddAction.actions())
                QVERIFY(item->text() != "старый пункт");
            QCOMPARE(pmModules.actions().size(), withButtons ? 2 : 0);
            QCOMPARE(sbModules.isEnabled(), withButtons);
        }
    }

    void sbModulesPopsTheMenuUpBelowTheButton()
    {
        QWidget window;
        window.resize(300, 200);
        auto *sbModules = new QPushButton("Модули", &window);
        sbModules->setGeometry(30, 40, 80, 25);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMenu pmModules;
        pmModules.addAction("Команда");
        sbModulesClick(sbModules, &pmModules);
        QTRY_VERIFY(pmModules.isVisible());
        QCOMPARE(pmModules.pos(), sbModules->mapToGlobal(QPoint(0, sbModules->height())));
    }
};

QTEST_MAIN(ModuleMenusTest)
#include "ModuleMenusTest.moc"
