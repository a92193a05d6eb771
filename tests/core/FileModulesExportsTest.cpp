// The extension, date, transliteration, music tags and move modules as the
// host sees them: the built .so files loaded through dlopen and driven by their exports.
#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "module_helper/Fields.h"
#include "modules/date_time/DateTimeOptions.h"
#include "modules/extension/ExtensionOptions.h"
#include "modules/move_to_folder/MoveOptions.h"
#include "modules/music_tags/MusicTagsOptions.h"
#include "modules/name_pattern/NamePatternOptions.h"
#include "modules/transliteration/TranslitOptions.h"
#include "tests/support/TaggedMedia.h"

#include "FileModulesTestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace fs = std::filesystem;
using namespace filemodulestest;
using namespace brenmark;

namespace {

class LoadedModule {
public:
    explicit LoadedModule(const std::string &name)
    {
        std::string error;
        m_library = ModuleLibrary::open(std::string(BRENMARK_PLUGINS_DIR) + "/" + name + ".so", &error);
        if (!m_library)
            ADD_FAILURE() << name << ": " << error;
    }

    template<typename F>
    F function(const char *name) const
    {
        return m_library ? moduleFunction<F>(m_library->handle(), name) : nullptr;
    }

    ModuleInfo info() const
    {
        ModuleInfo info;
        std::memset(&info, 0x5A, sizeof info); // the host does not clear it between modules
        function<BrenmarkGetInfo>("getInfo")(&info);
        return info;
    }

    // A block as a loaded template gets it: newOpt, then the stored bytes.
    void *newBlock(const void *bytes = nullptr, std::size_t size = 0) const
    {
        void *block = nullptr;
        function<BrenmarkNewOpt>("newOpt")(&block);
        if (bytes != nullptr)
            std::memcpy(block, bytes, size);
        m_blocks.push_back(block);
        return block;
    }

    // process through the host's guard; the new path, or the error text after "!".
    std::string process(const std::string &name, const std::string &actual, void *block, int mode) const
    {
        const char *running = name.c_str();
        void *slot = block;
        try {
            guardModuleCall([&] {
                function<BrenmarkProcess>("process")(&running, actual.c_str(), 0, nullptr, &slot, mode);
            });
        } catch (const ModuleCallError &error) {
            return std::string("!") + error.what();
        }
        return running;
    }

    ~LoadedModule()
    {
        if (auto freeOpt = function<BrenmarkFreeOpt>("freeOpt"))
            for (void *block : m_blocks)
                freeOpt(block);
    }

private:
    std::unique_ptr<ModuleLibrary> m_library;
    mutable std::vector<void *> m_blocks;
};

std::vector<std::string> listing(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool startsWith(const std::string &text, const char *prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

TEST(FileModulesExports, DescribeThemselves)
{
    struct Case {
        const char *module;
        const char *action;
        std::size_t optionsSize;
        int buttons;
    };
    const Case cases[] = {
        {"extension", "Имя файла\\Расширение", sizeof(extension::ExtensionOptions), 0},
        {"date_time", "Имя файла\\Дата и время", sizeof(datetime::DateTimeOptions), 0},
        {"transliteration", "Имя файла\\Транслитерация", sizeof(translit::TranslitOptions), 0},
        {"music_tags", "Имя файла\\Теги музыки", sizeof(musictags::MusicTagsOptions), 0},
        {"move_to_folder", "Перемещение\\В папку", sizeof(movetofolder::MoveOptions), 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.module);
        LoadedModule module(c.module);
        const ModuleInfo info = module.info();
        EXPECT_STREQ(info.version, "1.02");
        EXPECT_EQ(std::string(info.action, strnlen(info.action, sizeof info.action)), c.action)
            << "the whole category path fits the 50 bytes";
        EXPECT_EQ(info.optSize, static_cast<int32_t>(c.optionsSize));
        ModuleButton buttons[BRENMARK_MAX_BUTTONS];
        int32_t count = -1;
        module.function<BrenmarkExportBtns>("exportBtns")(buttons, &count);
        EXPECT_EQ(count, c.buttons);
        for (int i = 0; i < count; ++i)
            EXPECT_GT(buttons[i].length, 0);
        // A host without windows: initialize(null), and showOptions refuses cleanly.
        module.function<BrenmarkInitialize>("initialize")(nullptr);
        void *slot = nullptr;
        const char *caption = nullptr;
        EXPECT_THROW(guardModuleCall([&] { module.function<BrenmarkShowOptions>("showOptions")(1, &slot, &caption); }),
                     ModuleCallError);
    }
}

TEST(FileModulesExports, OptionsSurviveTemplateRoundTrip)
{
    extension::ExtensionOptions ext;
    ext.operation = extension::ExtensionOperation::Set;
    sdk::setFieldText(ext.text, "тхт");
    translit::TranslitOptions tr;
    tr.system = translit::TranslitSystem::Icao9303;
    tr.scope = translit::TranslitScope::NameAndExtension;
    datetime::DateTimeOptions dt;
    dt.placement = datetime::DatePlacement::Suffix;
    sdk::setFieldText(dt.format, "%Y");
    movetofolder::MoveOptions mv;
    sdk::setFieldText(mv.folder, "/архив/%Y");
    musictags::MusicTagsOptions mt;
    sdk::setFieldText(mt.pattern, "[track] [title]");
    mt.fallback = musictags::TagFallback::Text;
    sdk::setFieldText(mt.fallbackText, "Без тегов");
    struct Case {
        const char *module;
        const void *options;
        std::size_t size;
        const char *before;
        const char *after;
    };
    const std::string jpeg = std::string(BRENMARK_SOURCE_DIR) + "/tests/data/modules_exif.jpg";
    const Case cases[] = {
        {"extension", &ext, sizeof ext, "/p/Отчёт.doc", "/p/Отчёт.тхт"},
        {"transliteration", &tr, sizeof tr, "/p/Щука.ЖЖ", "/p/Shchuka.ZHZH"},
        {"move_to_folder", &mv, sizeof mv, jpeg.c_str(), nullptr},
        {"date_time", &dt, sizeof dt, jpeg.c_str(), nullptr},
        {"music_tags", &mt, sizeof mt, jpeg.c_str(), BRENMARK_SOURCE_DIR "/tests/data/Без тегов.jpg"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.module);
        LoadedModule module(c.module);
        void *first = module.newBlock(c.options, c.size);
        const int32_t size = module.info().optSize;
        // The template keeps optSize bytes; a fresh block takes them back.
        const std::vector<char> stored(static_cast<const char *>(first), static_cast<const char *>(first) + size);
        void *second = module.newBlock(stored.data(), stored.size());
        const std::string a = module.process(c.before, c.before, first, BRENMARK_MODE_PREVIEW);
        EXPECT_FALSE(startsWith(a, "!")) << a;
        EXPECT_EQ(module.process(c.before, c.before, second, BRENMARK_MODE_PREVIEW), a);
        if (c.after != nullptr) {
            EXPECT_EQ(a, c.after);
        }

        // A block from a later version is refused with a message, not misread.
        std::vector<char> newer = stored;
        newer[0] = 99;
        void *third = module.newBlock(newer.data(), newer.size());
        EXPECT_TRUE(startsWith(module.process(c.before, c.before, third, BRENMARK_MODE_PREVIEW), "!"));
    }
}

TEST(FileModulesExports, RunRenamesAndNeverReplaces)
{
    TemporaryFolder folder;
    ASSERT_TRUE(folder.valid());
    extension::ExtensionOptions ext;
    ext.operation = extension::ExtensionOperation::Lower;
    translit::TranslitOptions tr;
    datetime::DateTimeOptions dt;
    dt.source = datetime::DateSource::Exif;
    sdk::setFieldText(dt.format, "%Y-%m-%d");
    musictags::MusicTagsOptions mt;
    mt.fallback = musictags::TagFallback::Text;
    sdk::setFieldText(mt.fallbackText, "Без тегов");
    struct Case {
        const char *module;
        const void *options;
        std::size_t size;
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {"extension", &ext, sizeof ext, "IMG.JPG", "IMG.jpg"},
        {"transliteration", &tr, sizeof tr, "Ёлка.txt", "Yolka.txt"},
        {"date_time", &dt, sizeof dt, "photo.jpg", "2019-06-21_photo.jpg"},
        {"music_tags", &mt, sizeof mt, "photo.JPG", "Без тегов.jpg"},
    };
    const std::string jpeg = readFile(std::string(BRENMARK_SOURCE_DIR) + "/tests/data/modules_exif.jpg");
    ASSERT_FALSE(jpeg.empty());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.module);
        LoadedModule module(c.module);
        void *block = module.newBlock(c.options, c.size);
        const std::string from = folder.file(c.before);
        const std::string to = folder.file(c.after);
        writeFile(from, jpeg);

        // Preview names the new path and touches nothing.
        const auto before = listing(folder.file(""));
        EXPECT_EQ(module.process(from, from, block, BRENMARK_MODE_PREVIEW), to);
        EXPECT_EQ(listing(folder.file("")), before);

        // Run with the new name taken: refused, both files as they were.
        writeFile(to, "taken");
        const std::string refused = module.process(from, from, block, BRENMARK_MODE_RUN);
        EXPECT_TRUE(startsWith(refused, "!")) << refused;
        EXPECT_NE(refused.find("уже существует"), std::string::npos) << refused;
        EXPECT_EQ(readFile(from), jpeg);
        EXPECT_EQ(readFile(to), "taken");

        fs::remove(to);
        EXPECT_EQ(module.process(from, from, block, BRENMARK_MODE_RUN), to);
        EXPECT_EQ(readFile(to), jpeg);
        EXPECT_FALSE(fs::exists(from));
        EXPECT_TRUE(startsWith(module.process(from, from, block, BRENMARK_MODE_RUN), "!"))
            << "a missing source is an error";
        fs::remove(to);
    }
}

// "01 - Artist - Title.MP3" to "Artist - Title.mp3" in one action, from the file's own tags.
TEST(FileModulesExports, MusicTagsNameFilesFromTheirTags)
{
    TemporaryFolder folder;
    ASSERT_TRUE(folder.valid());
    const std::string tagged = folder.file("01 - Artist - Title.MP3");
    const std::string untagged = folder.file("02 - Intro.MP3");
    ASSERT_TRUE(taggedmedia::writeTaggedFile(tagged, taggedmedia::bareMp3(),
                                             {{"ARTIST", "AC/DC"}, {"TITLE", "Back in Black"}}));
    ASSERT_TRUE(taggedmedia::writeTaggedFile(untagged, taggedmedia::bareMp3(), {}));
    LoadedModule module("music_tags");
    void *block = module.newBlock();
    EXPECT_EQ(module.process(tagged, tagged, block, BRENMARK_MODE_PREVIEW), folder.file("AC-DC - Back in Black.mp3"))
        << "a \"/\" in a tag makes no folder";
    EXPECT_EQ(module.process(untagged, untagged, block, BRENMARK_MODE_PREVIEW), folder.file("02 - Intro.mp3"));
    // A name in an old 8-bit encoding is what tags replace best.
    const std::string legacy = folder.file("03 \xcf\xe5\xf1\xed\xff.MP3");
    ASSERT_TRUE(taggedmedia::writeTaggedFile(legacy, taggedmedia::bareMp3(), {{"ARTIST", "Кино"}, {"TITLE", "Песня"}}));
    EXPECT_EQ(module.process(legacy, legacy, block, BRENMARK_MODE_RUN), folder.file("Кино - Песня.mp3"));
    EXPECT_TRUE(fs::exists(folder.file("Кино - Песня.mp3")));

    // A pattern the module cannot read, as a damaged template would hold it.
    musictags::MusicTagsOptions unknown;
    sdk::setFieldText(unknown.pattern, "[titel]");
    void *damaged = module.newBlock(&unknown, sizeof unknown);
    const std::string refused = module.process(tagged, tagged, damaged, BRENMARK_MODE_PREVIEW);
    EXPECT_NE(refused.find("[titel]"), std::string::npos) << refused;
}

TEST(FileModulesExports, MoveAcrossFileSystemsAndUndo)
{
    TemporaryFolder ext4;
    TemporaryFolder tmpfs("/dev/shm");
    TemporaryFolder program;
    ASSERT_TRUE(ext4.valid() && tmpfs.valid() && program.valid());
    LoadedModule module("move_to_folder");
    module.function<BrenmarkSetDir>("setDir")((program.file("")).c_str());

    movetofolder::MoveOptions options;
    sdk::setFieldText(options.folder, (tmpfs.file("%Y/%m")).c_str());
    void *block = module.newBlock(&options, sizeof options);

    const std::vector<std::string> names = {"a.txt", "Б.bin", ".hidden"};
    for (const auto &name : names) {
        writeFile(ext4.file(name), "content of " + name);
        const timespec times[2] = {{1700000000, 0}, {1700000000, 0}}; // November 2023
        ASSERT_EQ(utimensat(AT_FDCWD, ext4.file(name).c_str(), times, 0), 0);
    }
    std::tm local{};
    const time_t when = 1700000000;
    localtime_r(&when, &local);
    char month[32];
    std::snprintf(month, sizeof month, "%04d/%02d/", local.tm_year + 1900, local.tm_mon + 1);
    const std::string target = tmpfs.file(month);

    // Preview creates no folder.
    EXPECT_EQ(module.process(ext4.file("a.txt"), ext4.file("a.txt"), block, BRENMARK_MODE_PREVIEW), target + "a.txt");
    EXPECT_FALSE(fs::exists(tmpfs.file(std::to_string(local.tm_year + 1900))));

    for (const auto &name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(module.process(ext4.file(name), ext4.file(name), block, BRENMARK_MODE_RUN), target + name);
        EXPECT_EQ(readFile(target + name), "content of " + name);
        EXPECT_FALSE(fs::exists(ext4.file(name)));
    }

    // A conflict leaves both files untouched and no new folder behind.
    movetofolder::MoveOptions back;
    sdk::setFieldText(back.folder, ext4.file("new/deeper").c_str());
    void *backBlock = module.newBlock(&back, sizeof back);
    fs::create_directories(ext4.file("new/deeper"));
    writeFile(ext4.file("new/deeper/a.txt"), "other");
    EXPECT_TRUE(startsWith(module.process(target + "a.txt", target + "a.txt", backBlock, BRENMARK_MODE_RUN), "!"));
    EXPECT_EQ(readFile(target + "a.txt"), "content of a.txt");
    EXPECT_EQ(readFile(ext4.file("new/deeper/a.txt")), "other");
    fs::remove_all(ext4.file("new"));
    sdk::setFieldText(static_cast<movetofolder::MoveOptions *>(backBlock)->folder, "/proc/brenmark/x");
    EXPECT_TRUE(startsWith(module.process(target + "a.txt", target + "a.txt", backBlock, BRENMARK_MODE_RUN), "!"));
    EXPECT_EQ(readFile(target + "a.txt"), "content of a.txt");
}

TEST(FileModulesExports, TransliterationBlocksOfTheFirstLayoutKeepTheirResult)
{
    LoadedModule module("transliteration");
    const std::string path = "/p/Объявление № 5.txt";
    EXPECT_EQ(module.process(path, path, module.newBlock(), BRENMARK_MODE_PREVIEW), "/p/Obieiavlenie No 5.txt")
        << "a new action: passport letters, typographic characters in ASCII";
    // Version 1, system B, name only: the byte after dropMarks was reserved then
    // and now holds the typographic option; whatever it holds, "№" stays.
    for (const unsigned char reserved : {0, 1, 3}) {
        SCOPED_TRACE(int(reserved));
        const unsigned char stored[8] = {1, 0, 0, 0, 0, reserved, 0, 0};
        void *block = module.newBlock(stored, sizeof stored);
        EXPECT_EQ(module.process(path, path, block, BRENMARK_MODE_PREVIEW), "/p/Ob``yavlenie № 5.txt");
    }
}

TEST(FileModulesExports, UnloadWhenClosed)
{
    const std::string photo = std::string(BRENMARK_SOURCE_DIR) + "/tests/data/modules_exif.jpg";
    for (const char *name :
         {"extension", "date_time", "transliteration", "move_to_folder", "music_tags", "name_pattern"}) {
        SCOPED_TRACE(name);
        {
            LoadedModule module(name);
            datetime::DateTimeOptions exif; // also read EXIF, so exiv2 has done its work
            exif.source = datetime::DateSource::Exif;
            modules::NamePatternOptions dated;
            sdk::setFieldText(dated.pattern, "[D] Отпуск [C:1,1,3].[E]");
            void *block = std::string(name) == "date_time"      ? module.newBlock(&exif, sizeof exif)
                          : std::string(name) == "name_pattern" ? module.newBlock(&dated, sizeof dated)
                                                                : module.newBlock();
            const std::string renamed = module.process(photo, photo, block, BRENMARK_MODE_PREVIEW);
            if (std::string(name) == "name_pattern") {
                EXPECT_EQ(fs::path(renamed).filename(), "2019-06-21 Отпуск 001.jpg") << "the date taken";
            }
        }
        // RTLD_NOLOAD only finds a library still in memory.
        const std::string path = std::string(BRENMARK_PLUGINS_DIR) + "/" + name + ".so";
        void *stillLoaded = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_EQ(stillLoaded, nullptr);
        if (stillLoaded)
            dlclose(stillLoaded);
    }
}
