// The shipped renaming modules through the program's own module host.
#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleRegistry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

using namespace brenmark;
namespace fs = std::filesystem;

TEST(ModulesShippedInHost, LoadIntoOneCategoryWithIcons)
{
    std::string pattern = (fs::temp_directory_path() / "brenmark-host-modules-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    const fs::path programDir = pattern;
    fs::create_directory(programDir / "Plugins");
    fs::create_symlink(BRENMARK_PROBE_EXECUTABLE, programDir / "brenmark-probe");
    const std::set<std::string> files = {"insert_text.so", "replace_text.so", "remove_text.so",
                                         "letter_case.so", "numbering.so"};
    for (const std::string &file : files)
        fs::copy_file(fs::path(BRENMARK_PLUGINS_DIR) / file, programDir / "Plugins" / file);

    ModuleRegistry registry;
    ImageList addMenuImages;
    ImageList moduleImages;
    registry.LoadModules({programDir.string() + "/", {}, true, nullptr}, addMenuImages, moduleImages);

    ASSERT_EQ(registry.actionMenu().items().size(), 1u);
    const ActionMenuItem &category = registry.actionMenu().items().front();
    EXPECT_TRUE(category.isCategory);
    EXPECT_EQ(category.caption, QStringLiteral("Имя файла"));
    std::set<std::string> placed;
    for (const ActionMenuItem &action : category.children) {
        EXPECT_FALSE(action.isCategory);
        placed.insert(action.fileName);
        ASSERT_TRUE(addMenuImages.contains(action.imageIndex)) << action.fileName;
        EXPECT_EQ(addMenuImages.image(action.imageIndex).size(), QSize(16, 16)) << action.fileName;
    }
    EXPECT_EQ(placed, files);
    for (const ModuleListRow &row : registry.moduleListRows())
        EXPECT_EQ(row.version, QStringLiteral("1.02")) << row.fileName;

    registry.unloadAll();
    fs::remove_all(programDir);
}
