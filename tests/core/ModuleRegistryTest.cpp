#include "main/core/look/ImageList.h"
#include "main/core/modulehost/LoadProbe.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleRegistry.h"

#include "tests/support/HostPlugins.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <map>

using namespace brenmark;

namespace {

class ModuleRegistryTest : public ::testing::Test
{
protected:
    void load(QStringList disabled = {}, bool grouping = true, bool images = true)
    {
        ModuleLoadSettings settings;
        settings.programDir = plugins.programDir();
        settings.disabledModules = std::move(disabled);
        settings.grouping = grouping;
        settings.mainWindow = mainWindow;
        if (images)
            registry.LoadModules(settings, imlAddMenu, imlModules);
        else
            registry.LoadModules(settings, nullptr);
    }

    // Fixture ids of the copied modules in the order the scan meets them.
    std::vector<QString> loadOrder(const std::vector<QString> &ids) const
    {
        std::vector<QString> order;
        for (const std::string &name : plugins.listingOrder()) {
            for (const QString &id : ids) {
                if (HostPlugins::fileName(id).toStdString() == name)
                    order.push_back(id);
            }
        }
        return order;
    }

    void *handleOf(const QString &id) const
    {
        return registry.FindActionItem(HostPlugins::fileName(id).toStdString()).module;
    }

    HostPlugins plugins;
    ModuleRegistry registry;
    ImageList imlAddMenu;
    ImageList imlModules;
    void *mainWindow = reinterpret_cast<void *>(0x1234);
};

const ActionMenuItem *child(const std::vector<ActionMenuItem> &items, const QString &caption)
{
    auto found = std::find_if(items.begin(), items.end(), [&](const ActionMenuItem &item) {
        return ActionMenuTree::sameCaption(item.caption, caption);
    });
    return found == items.end() ? nullptr : &*found;
}

} // namespace

TEST_F(ModuleRegistryTest, EmptyOrMissingPluginsLeavesEverythingEmpty)
{
    for (int variant = 0; variant < 3; ++variant) {
        if (variant == 1) {
            QFile junk(plugins.pluginPath("notes.txt"));
            ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
            QDir().mkpath(plugins.pluginPath("folder.so"));
            QFile broken(plugins.pluginPath("broken.so"));
            ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
            broken.write("not a library");
        }
        if (variant == 2) {
            ASSERT_TRUE(QDir(plugins.pluginPath("")).removeRecursively());
        }
        load();
        EXPECT_TRUE(registry.actionMenu().isEmpty()) << variant;
        EXPECT_TRUE(registry.moduleCommands().empty()) << variant;
        EXPECT_FALSE(registry.modulesButtonEnabled()) << variant;
        EXPECT_TRUE(registry.moduleListRows().empty()) << variant;
        EXPECT_TRUE(registry.aboutRows().empty()) << variant;
        EXPECT_TRUE(registry.moduleHandles().isEmpty()) << variant;
    }
}

TEST_F(ModuleRegistryTest, VersionMustEndInTheInterfaceVersion)
{
    struct Case { const char *id; const char *version; bool accepted; };
    const Case cases[] = {
        {"plain", "1.02", true}, {"beta", "x.02", true}, {"gamma", "abcdefg.02", true},
        {"version_suffix", "", false}, {"version_short", "", false}, {"version_empty", "", false},
    };
    for (const Case &c : cases) {
        HostPlugins own;
        own.add(c.id);
        ModuleLoadSettings settings;
        settings.programDir = own.programDir();
        ModuleRegistry single;
        single.LoadModules(settings, imlAddMenu, imlModules);
        ASSERT_EQ(single.moduleListRows().size(), c.accepted ? 1u : 0u) << c.id;
        EXPECT_EQ(single.moduleHandles().count(), c.accepted ? 1 : 0) << c.id;
        EXPECT_EQ(single.actionMenu().isEmpty(), !c.accepted) << c.id;
        if (c.accepted) {
            EXPECT_EQ(single.moduleListRows()[0].version.toStdString(), c.version);
            EXPECT_EQ(single.aboutRows()[0].version.toStdString(), c.version);
        } else {
            EXPECT_EQ(own.calls(c.id), QStringList({"setLanguage " + QString::fromStdString(own.programDir())
                                                        + "Languages/english.lng",
                                                    "getInfo", "unload"}))
                << c.id;
            EXPECT_FALSE(own.isLoaded(HostPlugins::fileName(c.id))) << c.id;
        }
    }
}

TEST_F(ModuleRegistryTest, LoadingCallsComeInOrderAndOnlyEnabledModulesAreInitialized)
{
    plugins.add("alpha");
    plugins.add("plain");
    plugins.add("nogetinfo");
    load({"FIXTURE_HOST_PLAIN.SO"});
    const QString dir = QString::fromStdString(plugins.programDir());
    EXPECT_EQ(plugins.calls("alpha"), QStringList({"setLanguage " + dir + "Languages/english.lng", "getInfo",
                                                   "setDir " + dir, "initialize 0x1234", "exportBtns"}));
    EXPECT_EQ(plugins.calls("plain"),
              QStringList({"setLanguage " + dir + "Languages/english.lng", "getInfo", "unload"}));
    EXPECT_EQ(plugins.calls("nogetinfo"), QStringList({"unload"}));
    EXPECT_FALSE(plugins.isLoaded(HostPlugins::fileName("plain")));
    EXPECT_FALSE(plugins.isLoaded(HostPlugins::fileName("nogetinfo")));
    EXPECT_TRUE(plugins.isLoaded(HostPlugins::fileName("alpha")));

    plugins.clearCalls();
    registry.unloadAll();
    EXPECT_EQ(plugins.calls(), QStringList({"alpha unload"}));
    EXPECT_TRUE(registry.moduleListRows().empty());
    EXPECT_TRUE(registry.actionMenu().isEmpty());
}

TEST_F(ModuleRegistryTest, ShutDownUnloadsInLoadOrder)
{
    const std::vector<QString> ids {"alpha", "beta", "delta", "plain", "gamma"};
    for (const QString &id : ids)
        plugins.add(id);
    load();
    ASSERT_EQ(registry.moduleHandles().count(), 5);
    std::vector<void *> expected;
    for (const QString &id : loadOrder(ids))
        expected.push_back(handleOf(id));
    EXPECT_EQ(registry.moduleHandles().handles(), expected);

    plugins.clearCalls();
    registry.unloadAll();
    QStringList unloads;
    for (const QString &id : loadOrder(ids))
        unloads += id + " unload";
    EXPECT_EQ(plugins.calls(), unloads);
    EXPECT_TRUE(registry.moduleHandles().isEmpty());
}

TEST_F(ModuleRegistryTest, RowsCarryTheTextsAndFullWidthTextsNeedNoTerminator)
{
    plugins.add("alpha");
    plugins.add("gamma");
    plugins.add("plain");
    load({"fixture_host_plain.so"});
    std::map<std::string, ModuleListRow> rows;
    for (const ModuleListRow &row : registry.moduleListRows())
        rows[row.fileName] = row;
    ASSERT_EQ(rows.size(), 3u);

    const ModuleListRow &alpha = rows["fixture_host_alpha.so"];
    EXPECT_EQ(alpha.caption, "fixture_host_alpha.so");
    EXPECT_EQ(alpha.subItems(), QStringList({"Alpha", "1.02", "Да", "Автор А", "Файлы\\Переименовать\\Alpha",
                                             "*.jpg", "One", "", "Three"}));
    EXPECT_TRUE(alpha.checked);

    const ModuleListRow &gamma = rows["fixture_host_gamma.so"];
    EXPECT_EQ(gamma.version, "abcdefg.02");
    EXPECT_EQ(gamma.name, QString(49, u'N') + u'n');
    EXPECT_EQ(gamma.author, QString(49, u'A') + u'a');
    EXPECT_EQ(gamma.action, "Long\\" + QString(44, u'G') + u'g');
    EXPECT_EQ(gamma.mask, QString(49, u'M') + u'm');
    const ActionMenuItem *category = child(registry.actionMenu().items(), "Long");
    ASSERT_TRUE(category);
    ASSERT_EQ(category->children.size(), 1u);
    EXPECT_EQ(category->children[0].caption, QString(44, u'G') + u'g');

    const ModuleListRow &plain = rows["fixture_host_plain.so"];
    EXPECT_EQ(plain.subItems(), QStringList({"Plain", "1.02", "Нет", "Author P", "Plain", "*"}));
    EXPECT_FALSE(plain.checked);
    EXPECT_EQ(plain.imageIndex, -1);

    ASSERT_EQ(registry.aboutRows().size(), 2u);
    for (const AboutRow &about : registry.aboutRows()) {
        const QStringList expected = about.fileName == "fixture_host_alpha.so"
            ? QStringList({"Alpha", "1.02", "Автор А", "*.jpg"})
            : QStringList({gamma.name, gamma.version, gamma.author, gamma.mask});
        EXPECT_EQ(about.subItems(), expected);
        EXPECT_EQ(about.imageIndex, registry.FindActionItem(about.fileName).imageIndex);
    }
}

TEST_F(ModuleRegistryTest, DisabledModuleInOtherLetterCaseIsListedUncheckedAndNowhereElse)
{
    plugins.add("alpha");
    plugins.add("delta");
    load({"other.so", "Fixture_Host_ALPHA.so"});
    ASSERT_EQ(registry.moduleListRows().size(), 2u);
    for (const ModuleListRow &row : registry.moduleListRows()) {
        const bool isAlpha = row.fileName == "fixture_host_alpha.so";
        EXPECT_EQ(row.checked, !isAlpha);
        EXPECT_EQ(row.running, isAlpha ? "Нет" : "Да");
        EXPECT_EQ(row.buttonCaptions.size(), isAlpha ? 0u : 2u);
        if (isAlpha) {
            EXPECT_EQ(row.imageIndex, -1);
        }
    }
    EXPECT_EQ(registry.FindActionItem("fixture_host_alpha.so").module, nullptr);
    EXPECT_NE(registry.FindActionItem("fixture_host_delta.so").module, nullptr);
    ASSERT_EQ(registry.aboutRows().size(), 1u);
    EXPECT_EQ(registry.aboutRows()[0].fileName, "fixture_host_delta.so");
    EXPECT_EQ(registry.moduleHandles().count(), 1);
    EXPECT_EQ(registry.moduleCommands().size(), 2u);
    EXPECT_FALSE(plugins.isLoaded(HostPlugins::fileName("alpha")));
    // Images taken: none for the disabled module, none for delta (it has none).
    EXPECT_EQ(imlAddMenu.count(), 0);
}

TEST_F(ModuleRegistryTest, ActionItemsKeepTagHintAndImages)
{
    for (const char *id : {"alpha", "beta", "delta", "plain"})
        plugins.add(id);
    imlAddMenu.add(QImage(16, 16, QImage::Format_ARGB32)); // the window's own images come first
    imlAddMenu.add(QImage(16, 16, QImage::Format_ARGB32));
    load();
    const auto &root = registry.actionMenu().items();
    ASSERT_EQ(root.size(), 2u);
    EXPECT_EQ(root[0].imageIndex, ActionMenuTree::kCategoryImage);
    EXPECT_EQ(root[1].caption, "Plain");
    EXPECT_EQ(root[1].fileName, "fixture_host_plain.so");
    EXPECT_EQ(root[1].imageIndex, -1);
    const std::vector<void *> handles = registry.moduleHandles().handles();
    for (const char *id : {"alpha", "beta", "delta", "plain"})
        EXPECT_NE(std::find(handles.begin(), handles.end(), handleOf(id)), handles.end()) << id;

    // Images: alpha and beta each appended one after the window's two, in load order.
    const int alphaImage = registry.FindActionItem("fixture_host_alpha.so").imageIndex;
    const int betaImage = registry.FindActionItem("fixture_host_beta.so").imageIndex;
    EXPECT_EQ(imlAddMenu.count(), 4);
    EXPECT_EQ(std::min(alphaImage, betaImage), 2);
    EXPECT_EQ(std::max(alphaImage, betaImage), 3);
    EXPECT_EQ(registry.FindActionItem("fixture_host_delta.so").imageIndex, -1);
    EXPECT_EQ(imlAddMenu.image(alphaImage).pixel(8, 8), qRgb(255, 0, 0)); // the 16 x 16 entry of the icon
    EXPECT_EQ(qAlpha(imlAddMenu.image(betaImage).pixel(0, 0)), 0);        // transparent colour of the bitmap
    EXPECT_EQ(imlAddMenu.image(betaImage).pixel(8, 8), qRgb(255, 255, 0));

    for (const ModuleListRow &row : registry.moduleListRows())
        EXPECT_EQ(row.imageIndex, registry.FindActionItem(row.fileName).imageIndex) << row.fileName;
    EXPECT_EQ(registry.FindActionItem("FIXTURE_HOST_ALPHA.SO").module, nullptr);
}

TEST_F(ModuleRegistryTest, CommandsCallTheirOwnModulesButtonsAndCarryTheirImages)
{
    // alpha: 3 buttons, plain: no exportBtns, delta: 2 buttons.
    for (const char *id : {"alpha", "plain", "delta"})
        plugins.add(id);
    imlModules.add(QImage(16, 16, QImage::Format_ARGB32));
    load();
    EXPECT_EQ(registry.moduleCommands().size(), 6u); // 3 + separator + 2, whatever the order
    EXPECT_TRUE(registry.modulesButtonEnabled());

    // Button images: alpha's BUTTON0 (icon) and BUTTON2 (bitmap) after the window's image; none for others.
    EXPECT_EQ(imlModules.count(), 3);
    for (const ModuleCommand &command : registry.moduleCommands()) {
        if (command.module == handleOf("alpha") && command.buttonNumber != 1) {
            ASSERT_GE(command.imageIndex, 1);
            const QImage image = imlModules.image(command.imageIndex);
            EXPECT_EQ(image.pixel(8, 8), command.buttonNumber == 0 ? qRgb(0, 200, 0) : qRgb(255, 255, 0));
        } else {
            EXPECT_EQ(command.imageIndex, -1);
        }
    }

    plugins.clearCalls();
    for (const ModuleCommand &command : registry.moduleCommands()) {
        if (!command.isSeparator)
            runModuleCommand(command);
    }
    QStringList clicks;
    for (const QString &line : plugins.calls())
        clicks += line;
    clicks.sort();
    EXPECT_EQ(clicks, QStringList({"alpha clickBtn 0", "alpha clickBtn 1", "alpha clickBtn 2", "delta clickBtn 0",
                                   "delta clickBtn 1"}));
}

// A front end that shows no images loads the same modules, menus and
// commands, only without images.
TEST_F(ModuleRegistryTest, LoadingWithoutImagesChangesNothingButTheImages)
{
    // alpha has an icon and button images, delta buttons without images.
    for (const char *id : {"alpha", "plain", "delta"})
        plugins.add(id);
    load({}, true, false);
    EXPECT_EQ(imlAddMenu.count(), 0);
    EXPECT_EQ(imlModules.count(), 0);
    EXPECT_EQ(registry.moduleHandles().count(), 3);
    EXPECT_EQ(registry.moduleCommands().size(), 6u); // 3 + separator + 2
    for (const ModuleListRow &row : registry.moduleListRows()) {
        EXPECT_EQ(row.imageIndex, -1) << row.fileName;
        EXPECT_NE(registry.FindActionItem(row.fileName).module, nullptr) << row.fileName;
    }
    for (const ModuleCommand &command : registry.moduleCommands())
        EXPECT_EQ(command.imageIndex, -1);
}

TEST_F(ModuleRegistryTest, ExportBtnsWithoutButtonsLeavesTheModulesButtonDisabled)
{
    plugins.add("beta");
    plugins.add("plain");
    load();
    EXPECT_FALSE(registry.modulesButtonEnabled());
    EXPECT_TRUE(registry.moduleCommands().empty());
}

TEST_F(ModuleRegistryTest, ACommandOfAModuleWithoutClickBtnIsAClearError)
{
    plugins.add("plain");
    load();
    try {
        runModuleCommand(handleOf("plain"), 0);
        FAIL() << "no error";
    } catch (const std::runtime_error &error) {
        EXPECT_NE(std::string(error.what()).find("clickBtn"), std::string::npos) << error.what();
    }
    EXPECT_THROW(runModuleCommand(nullptr, 0), std::runtime_error);
}

TEST_F(ModuleRegistryTest, FailingModulesAreSkippedWithoutTraceAndTheOthersLoad)
{
    for (const char *id : {"throwing", "crashing", "btnthrows", "plain"})
        plugins.add(id);
    imlAddMenu.add(QImage(16, 16, QImage::Format_ARGB32));
    load();
    ASSERT_EQ(registry.moduleListRows().size(), 1u);
    EXPECT_EQ(registry.moduleListRows()[0].fileName, "fixture_host_plain.so");
    EXPECT_EQ(registry.aboutRows().size(), 1u);
    EXPECT_EQ(registry.moduleHandles().count(), 1);
    ASSERT_EQ(registry.actionMenu().items().size(), 1u);
    EXPECT_EQ(registry.actionMenu().items()[0].caption, "Plain");
    EXPECT_EQ(imlAddMenu.count(), 1); // btnthrows' image is taken back
    for (const char *id : {"throwing", "crashing", "btnthrows"}) {
        EXPECT_FALSE(plugins.isLoaded(HostPlugins::fileName(id))) << id;
        EXPECT_TRUE(plugins.calls(id).contains("getInfo")) << id;
    }
    EXPECT_TRUE(plugins.calls("btnthrows").contains("exportBtns"));
}

TEST_F(ModuleRegistryTest, FaultsInModuleCallsNameTheLibraryAndLeaveTheSignalMaskAsItWas)
{
    plugins.add("aborting");
    plugins.add("masking");
    load();
    ASSERT_EQ(registry.moduleHandles().count(), 2);
    const struct
    {
        const char *id;
        const char *fault;
    } cases[] = {{"aborting", "Aborted"}, {"masking", "Segmentation fault"}};
    for (const auto &c : cases) {
        try {
            runModuleCommand(handleOf(c.id), 0);
            ADD_FAILURE() << c.id << ": no error";
        } catch (const ModuleCallError &error) {
            const std::string expected = "Модуль " + HostPlugins::fileName(c.id).toStdString() + " вызвал сбой: " + c.fault;
            EXPECT_EQ(error.what(), expected);
        }
        sigset_t blocked;
        sigprocmask(SIG_BLOCK, nullptr, &blocked);
        EXPECT_FALSE(sigismember(&blocked, SIGINT)) << c.id;
        EXPECT_FALSE(sigismember(&blocked, SIGTERM)) << c.id;
        EXPECT_FALSE(sigismember(&blocked, SIGSEGV)) << c.id;
        EXPECT_FALSE(sigismember(&blocked, SIGABRT)) << c.id;
    }
    // The guard still catches faults after one of each kind.
    EXPECT_THROW(runModuleCommand(handleOf("aborting"), 0), ModuleCallError);
}

TEST_F(ModuleRegistryTest, NoModuleIsUnloadedWhileACallIsUnderWay)
{
    plugins.add("alpha");
    load();
    void *alpha = handleOf("alpha");
    guardModuleCall(alpha, [&] { EXPECT_FALSE(registry.unloadAll()); });
    EXPECT_TRUE(plugins.isLoaded(HostPlugins::fileName("alpha")));
    EXPECT_EQ(registry.FindActionItem(HostPlugins::fileName("alpha").toStdString()).module, alpha);
    EXPECT_EQ(activeModuleCalls(), 0);
    EXPECT_TRUE(registry.unloadAll());
    EXPECT_FALSE(plugins.isLoaded(HostPlugins::fileName("alpha")));
}

TEST_F(ModuleRegistryTest, ALibraryThatCrashesWhileLoadingIsSkippedAndNamedOnStandardError)
{
    plugins.add("initcrash");
    plugins.add("plain");
    testing::internal::CaptureStderr();
    load();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("fixture_host_initcrash.so"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Segmentation fault"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("fixture_host_plain.so"), std::string::npos) << errors;
    ASSERT_EQ(registry.moduleListRows().size(), 1u);
    EXPECT_EQ(registry.moduleListRows()[0].fileName, "fixture_host_plain.so");
    EXPECT_FALSE(plugins.isLoaded(HostPlugins::fileName("initcrash")));
}

TEST_F(ModuleRegistryTest, TheLoadCheckGoesOnAfterEachLibraryThatKillsIt)
{
    for (const char *id : {"plain", "alpha", "initcrash", "beta"})
        plugins.add(id);
    plugins.add("initcrash", "second_initcrash.so");
    const auto path = [this](const QString &name) { return QFile::encodeName(plugins.pluginPath(name)).toStdString(); };
    const std::vector<std::string> paths {path(HostPlugins::fileName("initcrash")), path(HostPlugins::fileName("plain")),
                                          path("second_initcrash.so"), path("second_initcrash.so"),
                                          path("missing.so"), path(HostPlugins::fileName("alpha")),
                                          path(HostPlugins::fileName("beta")), path("second_initcrash.so")};
    const std::string helper = plugins.programDir() + "brenmark-probe";
    const std::vector<LoadVerdict> verdicts = probeLibraryLoading(paths, helper);
    ASSERT_EQ(verdicts.size(), paths.size());
    const bool expected[] = {false, true, false, false, true, true, true, false};
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(verdicts[i].safe, expected[i]) << paths[i];
        EXPECT_EQ(verdicts[i].reason.empty(), expected[i]) << paths[i] << ": " << verdicts[i].reason;
    }
    EXPECT_TRUE(probeLibraryLoading({}, helper).empty());
    // Nothing of the check stays in the host.
    EXPECT_FALSE(plugins.isLoaded(HostPlugins::fileName("plain")));
}

TEST_F(ModuleRegistryTest, WithoutAWorkingHelperNoLibraryIsLostAndTheHelperIsNamed)
{
    plugins.add("initcrash");
    plugins.add("plain");
    const std::vector<std::string> paths {QFile::encodeName(plugins.pluginPath(HostPlugins::fileName("initcrash"))).toStdString(),
                                          QFile::encodeName(plugins.pluginPath(HostPlugins::fileName("plain"))).toStdString()};
    // Missing, and one that ends before it loads anything (as a helper whose
    // own libraries are missing does): neither may pass for a library fault.
    for (const std::string helper : {plugins.programDir() + "Plugins/brenmark-probe", std::string("/bin/false")}) {
        testing::internal::CaptureStderr();
        const std::vector<LoadVerdict> verdicts = probeLibraryLoading(paths, helper);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_NE(errors.find(helper), std::string::npos) << errors;
        ASSERT_EQ(verdicts.size(), paths.size());
        for (const LoadVerdict &verdict : verdicts)
            EXPECT_TRUE(verdict.safe) << helper << ": " << verdict.reason;
    }
}

TEST_F(ModuleRegistryTest, HiddenLibrariesAreScannedToo)
{
    plugins.add("plain", ".hidden.so");
    plugins.add("beta", "beta.so.disabled");
    load();
    ASSERT_EQ(registry.moduleListRows().size(), 1u);
    EXPECT_EQ(registry.moduleListRows()[0].fileName, ".hidden.so");
    EXPECT_NE(registry.FindActionItem(".hidden.so").module, nullptr);
}

namespace {

struct ArrangedLoad
{
    HostPlugins plugins;
    ModuleRegistry registry;
    ImageList imlAddMenu;
    ImageList imlModules;

    bool load(const std::vector<QString> &order)
    {
        if (!plugins.arrange(order))
            return false;
        registry.LoadModules({plugins.programDir(), {}, true, nullptr}, imlAddMenu, imlModules);
        return true;
    }

    QString idOf(void *module, const std::vector<QString> &ids) const
    {
        for (const QString &id : ids) {
            if (registry.FindActionItem(plugins.nameOf(id)).module == module)
                return id;
        }
        return "?";
    }
};

// "caption" for an action, "[caption]{children}" for a category.
QString outline(const std::vector<ActionMenuItem> &items)
{
    QStringList parts;
    for (const ActionMenuItem &item : items)
        parts += item.isCategory ? '[' + item.caption + "]{" + outline(item.children) + '}' : item.caption;
    return parts.join(' ');
}

} // namespace

TEST(ModuleRegistryOrder, SeparatorsFollowEveryModuleWithExportBtnsAfterTheFirstItem)
{
    struct Case { std::vector<QString> order; QStringList commands; };
    const Case cases[] = {
        {{"beta", "alpha"}, {"alpha 0 One", "alpha 1 ", "alpha 2 Three"}},
        {{"alpha", "beta"}, {"alpha 0 One", "alpha 1 ", "alpha 2 Three", "-"}},
        {{"alpha", "plain", "delta"}, {"alpha 0 One", "alpha 1 ", "alpha 2 Three", "-", "delta 0 D0", "delta 1 D1"}},
        {{"delta", "beta", "alpha"}, {"delta 0 D0", "delta 1 D1", "-", "-", "alpha 0 One", "alpha 1 ", "alpha 2 Three"}},
    };
    for (const Case &c : cases) {
        ArrangedLoad run;
        if (!run.load(c.order))
            GTEST_SKIP() << "the file system would not list the fixtures in the wanted order";
        QStringList commands;
        for (const ModuleCommand &command : run.registry.moduleCommands()) {
            commands += command.isSeparator ? QString("-")
                                            : run.idOf(command.module, c.order) + ' '
                                                  + QString::number(command.buttonNumber) + ' ' + command.caption;
        }
        EXPECT_EQ(commands, c.commands) << c.order.front().toStdString();
        EXPECT_TRUE(run.registry.modulesButtonEnabled());
    }
}

TEST(ModuleRegistryOrder, FirstSpellingNamesASharedCategoryAndNewCategoriesGoOnTop)
{
    struct Case { std::vector<QString> order; const char *menu; };
    const Case cases[] = {
        {{"alpha", "delta", "beta"}, "[Файлы]{[Переименовать]{Alpha Delta} Beta}"},
        {{"beta", "delta", "alpha"}, "[ФАЙЛЫ]{[ПЕРЕ&ИМЕНОВАТЬ]{Delta Alpha} Beta}"},
        {{"plain", "gamma", "alpha"},
         "[Файлы]{[Переименовать]{Alpha}} [Long]{GGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGg} Plain"},
    };
    for (const Case &c : cases) {
        ArrangedLoad run;
        if (!run.load(c.order))
            GTEST_SKIP() << "the file system would not list the fixtures in the wanted order";
        EXPECT_EQ(outline(run.registry.actionMenu().items()), QString::fromUtf8(c.menu));
    }
}
