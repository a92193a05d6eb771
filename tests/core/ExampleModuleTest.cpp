#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleRegistry.h"

#define BRENMARK_HOST
#include "brenmark_module.h"

#include "tests/support/HostPlugins.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace brenmark;

TEST(ExampleModule, LoadsIntoItsCategoryAndPrefixesNamesWithoutReplacingFiles)
{
    HostPlugins plugins;
    // Built out of the tree by the test example_module_builds_out_of_tree.
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRENMARK_EXAMPLE_MODULE), plugins.pluginPath("example_prefix.so")));
    ModuleRegistry registry;
    ImageList imlAddMenu;
    ImageList imlModules;
    registry.LoadModules({plugins.programDir(), {}, true, nullptr}, imlAddMenu, imlModules);
    ASSERT_EQ(registry.actionMenu().items().size(), 1u);
    const ActionMenuItem &category = registry.actionMenu().items()[0];
    EXPECT_EQ(category.caption, "Примеры");
    ASSERT_EQ(category.children.size(), 1u);
    EXPECT_EQ(category.children[0].caption, "Приставка к имени");
    EXPECT_EQ(category.children[0].imageIndex, 0);

    void *module = registry.moduleHandles().handle(0);
    const auto showOptions = moduleFunction<BrenmarkShowOptions>(module, "showOptions");
    const auto process = moduleFunction<BrenmarkProcess>(module, "process");
    const auto freeOpt = moduleFunction<BrenmarkFreeOpt>(module, "freeOpt");
    ASSERT_TRUE(showOptions && process && freeOpt);
    void *options = nullptr;
    const char *caption = nullptr;
    ASSERT_EQ(showOptions(1, &options, &caption), 1);
    EXPECT_STREQ(caption, "Приставка «new_»");

    const std::string dir = plugins.programDir();
    const std::string original = dir + "photo.jpg";
    QFile file(QString::fromStdString(original));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    // Preview, twice in a chain: the second action gets the first one's text.
    const char *name = original.c_str();
    process(&name, original.c_str(), 0, nullptr, &options, BRENMARK_MODE_PREVIEW);
    process(&name, original.c_str(), 0, nullptr, &options, BRENMARK_MODE_PREVIEW);
    EXPECT_EQ(std::string(name), dir + "new_new_photo.jpg");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(original)));

    name = original.c_str();
    guardModuleCall([&] { process(&name, original.c_str(), 0, nullptr, &options, BRENMARK_MODE_RUN); });
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir + "new_photo.jpg")));

    // A file already at the target is never replaced: the run reports an error.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    name = original.c_str();
    EXPECT_THROW(guardModuleCall([&] { process(&name, original.c_str(), 0, nullptr, &options, BRENMARK_MODE_RUN); }),
                 ModuleCallError);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(original)));
    freeOpt(options);
}
