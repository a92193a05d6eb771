// The extension, date, transliteration, music tags and move modules loaded by the host's
// own registry: menus, images and command buttons as the windows get them.
#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleCommand.h"
#include "main/core/modulehost/ModuleRegistry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

using namespace brenmark;

namespace {

const ActionMenuItem *child(const std::vector<ActionMenuItem> &items, const QString &caption)
{
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const ActionMenuItem &item) { return item.caption == caption; });
    return found == items.end() ? nullptr : &*found;
}

} // namespace

TEST(FileModulesHost, MenusImagesAndButtons)
{
    QTemporaryDir program;
    ASSERT_TRUE(program.isValid());
    QDir(program.path()).mkpath(QStringLiteral("Plugins"));
    ASSERT_TRUE(QFile::link(QStringLiteral(BRENMARK_PROBE_EXECUTABLE), program.filePath(QStringLiteral("brenmark-probe"))));
    for (const char *name : {"extension", "date_time", "transliteration", "move_to_folder", "music_tags"}) {
        const QString file = QString::fromLatin1(name) + QStringLiteral(".so");
        ASSERT_TRUE(QFile::copy(QStringLiteral(BRENMARK_PLUGINS_DIR "/") + file, program.filePath(QStringLiteral("Plugins/")) + file));
    }
    ModuleRegistry registry;
    ImageList imlAddMenu;
    ImageList imlModules;
    registry.LoadModules({QFile::encodeName(program.path()).toStdString() + "/", {}, true, nullptr}, imlAddMenu,
                         imlModules);

    struct Case {
        const char *category;
        const char *caption;
        const char *file;
    };
    const Case cases[] = {
        {"Имя файла", "Расширение", "extension.so"},
        {"Имя файла", "Дата и время", "date_time.so"},
        {"Имя файла", "Транслитерация", "transliteration.so"},
        {"Имя файла", "Теги музыки", "music_tags.so"},
        {"Перемещение", "В папку", "move_to_folder.so"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption);
        const ActionMenuItem *category = child(registry.actionMenu().items(), QString::fromUtf8(c.category));
        ASSERT_NE(category, nullptr);
        EXPECT_TRUE(category->isCategory);
        const ActionMenuItem *action = child(category->children, QString::fromUtf8(c.caption));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->fileName, c.file);
        ASSERT_TRUE(imlAddMenu.contains(action->imageIndex)) << "the ACTION image is shown";
        EXPECT_FALSE(imlAddMenu.image(action->imageIndex).isNull());
    }

    std::vector<QString> captions;
    for (const ModuleCommand &command : registry.moduleCommands()) {
        if (command.isSeparator)
            continue;
        captions.push_back(command.caption);
        EXPECT_TRUE(imlModules.contains(command.imageIndex)) << command.caption.toStdString();
        // Headless, "О модуле" shows nothing and does nothing harmful.
        EXPECT_NO_THROW(runModuleCommand(command));
    }
    EXPECT_EQ(captions, (std::vector<QString>{QStringLiteral("О модуле")}));
    EXPECT_TRUE(registry.modulesButtonEnabled());
}
