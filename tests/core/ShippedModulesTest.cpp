// The shipped renaming modules as the host sees them: built .so files loaded
// with dlopen and driven only through the exports.
#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "modules/insert_text/InsertOptions.h"
#include "modules/letter_case/CaseOptions.h"
#include "modules/name_pattern/NamePatternOptions.h"
#include "modules/numbering/NumberingOptions.h"
#include "modules/remove_text/RemoveOptions.h"
#include "modules/replace_text/ReplaceOptions.h"
#include "module_helper/Fields.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace brenmark;
using namespace brenmark::modules;
namespace fs = std::filesystem;

namespace {

class LoadedModule
{
public:
    explicit LoadedModule(const std::string &file)
    {
        std::string error;
        m_library = ModuleLibrary::open(std::string(BRENMARK_PLUGINS_DIR) + "/" + file, &error);
        if (!m_library)
            throw std::runtime_error(file + ": " + error);
    }
    ~LoadedModule()
    {
        for (void *block : m_blocks)
            freeOpt(block);
    }

    template<typename Function>
    Function function(const char *name) const
    {
        auto function = moduleFunction<Function>(m_library->handle(), name);
        if (!function)
            throw std::runtime_error(std::string("no export ") + name);
        return function;
    }

    void *handle() const { return m_library->handle(); }

    ModuleInfo info() const
    {
        ModuleInfo info;
        std::memset(&info, 0x55, sizeof info); // the host does not clear it between modules
        guardModuleCall([&] { function<BrenmarkGetInfo>("getInfo")(&info); });
        return info;
    }

    // A block from newOpt, with `options` written into its first bytes.
    template<typename Options>
    void *block(const Options &options)
    {
        void *slot = nullptr;
        guardModuleCall([&] { function<BrenmarkNewOpt>("newOpt")(&slot); });
        m_blocks.push_back(slot);
        std::memcpy(slot, &options, sizeof options);
        return slot;
    }

    void freeOpt(void *block) const
    {
        guardModuleCall([&] { function<BrenmarkFreeOpt>("freeOpt")(block); });
    }

    // Calls process; the result is the text the module left in the running name.
    const char *process(const char *name, const char *actualPath, void *&slot, int32_t mode,
                        int32_t index = 0) const
    {
        const char *running = name;
        guardModuleCall([&] {
            function<BrenmarkProcess>("process")(&running, actualPath, index, nullptr, &slot, mode);
        });
        return running;
    }

private:
    std::unique_ptr<ModuleLibrary> m_library;
    std::vector<void *> m_blocks;
};

std::string callError(const std::function<void()> &call)
{
    try {
        guardModuleCall(call);
    } catch (const ModuleCallError &error) {
        return error.what();
    }
    return {};
}

ReplaceOptions replacing(const char *find, const char *replacement, bool pattern = false)
{
    ReplaceOptions options;
    sdk::setFieldText(options.find, find);
    sdk::setFieldText(options.replacement, replacement);
    options.regularExpression = pattern;
    return options;
}

InsertOptions inserting(const char *text)
{
    InsertOptions options;
    sdk::setFieldText(options.text, text);
    return options;
}

} // namespace

TEST(ModulesShipped, DescribeThemselvesAndCarryAnIcon)
{
    const struct
    {
        const char *file;
        const char *action;
        std::size_t optionsSize;
    } table[] = {
        {"insert_text.so", "Имя файла\\Вставка текста", sizeof(InsertOptions)},
        {"replace_text.so", "Имя файла\\Замена текста", sizeof(ReplaceOptions)},
        {"remove_text.so", "Имя файла\\Удаление знаков", sizeof(RemoveOptions)},
        {"letter_case.so", "Имя файла\\Регистр букв", sizeof(CaseOptions)},
        {"numbering.so", "Имя файла\\Нумерация", sizeof(NumberingOptions)},
        {"name_pattern.so", "Имя файла\\Шаблон имени", sizeof(NamePatternOptions)},
    };
    for (const auto &row : table) {
        LoadedModule module(row.file);
        const ModuleInfo info = module.info();
        EXPECT_STREQ(info.version, "1.02") << row.file;
        EXPECT_EQ(std::string(info.action, strnlen(info.action, sizeof info.action)), row.action);
        EXPECT_GT(strnlen(info.name, sizeof info.name), 0u) << row.file;
        EXPECT_EQ(info.optSize, int32_t(row.optionsSize)) << row.file;
        EXPECT_EQ(info.reserved[0], 0) << row.file;

        const auto *icon = static_cast<const unsigned char *>(
            moduleSymbol(module.handle(), BRENMARK_RESOURCE_PREFIX "ACTION"));
        const auto *size = static_cast<const uint32_t *>(
            moduleSymbol(module.handle(), BRENMARK_RESOURCE_PREFIX "ACTION_size"));
        ASSERT_TRUE(icon && size) << row.file;
        EXPECT_GT(*size, 8u);
        EXPECT_EQ(std::memcmp(icon, "\x89PNG", 4), 0) << row.file;

        ModuleButton buttons[BRENMARK_MAX_BUTTONS];
        int32_t count = -1;
        guardModuleCall([&] { module.function<BrenmarkExportBtns>("exportBtns")(buttons, &count); });
        EXPECT_EQ(count, 0) << row.file;
    }
}

// As a template does: the first optSize bytes out of a block, into a fresh
// newOpt block; the copy must act exactly as the original.
template<typename Options>
void expectByteCopyActsTheSame(const char *file, const Options &options, const char *path,
                               const char *expected)
{
    LoadedModule module(file);
    const int32_t size = module.info().optSize;
    void *original = module.block(options);
    EXPECT_STREQ(module.process(path, path, original, BRENMARK_MODE_PREVIEW, 4), expected) << file;
    const std::vector<char> stored(static_cast<char *>(original), static_cast<char *>(original) + size);
    void *restored = module.block(CaseOptions{}); // whatever was there is overwritten
    std::memcpy(restored, stored.data(), stored.size());
    EXPECT_STREQ(module.process(path, path, restored, BRENMARK_MODE_PREVIEW, 4), expected) << file;
}

TEST(ModulesShipped, OptionsBlockSurvivesAByteCopy)
{
    InsertOptions insert = inserting("_x");
    insert.position = InsertPosition::FromEnd;
    insert.offset = 4;
    expectByteCopyActsTheSame("insert_text.so", insert, "/p/фото.jpg", "/p/фото_x.jpg");
    expectByteCopyActsTheSame("replace_text.so", replacing("(\\d+)_(\\w+)", "\\2-\\1", true),
                              "/p/2024_море.jpg", "/p/море-2024.jpg");
    RemoveOptions remove;
    remove.what = RemoveWhat::Digits;
    remove.trimBlanks = 1;
    expectByteCopyActsTheSame("remove_text.so", remove, "/p/ 12 a 3.txt", "/p/a.txt");
    CaseOptions letterCase;
    letterCase.name = LetterCase::Upper;
    letterCase.extension = LetterCase::Keep;
    expectByteCopyActsTheSame("letter_case.so", letterCase, "/p/ёж.Jpg", "/p/ЁЖ.Jpg");
    NumberingOptions numbering;
    numbering.place = NumberPlace::Suffix;
    numbering.start = 10;
    numbering.step = 10;
    sdk::setFieldText(numbering.separator, " №");
    expectByteCopyActsTheSame("numbering.so", numbering, "/p/a.b", "/p/a №050.b");
    NamePatternOptions pattern;
    sdk::setFieldText(pattern.pattern, "[N2-3]-[C:5].[E]");
    expectByteCopyActsTheSame("name_pattern.so", pattern, "/p/фото.jpg", "/p/от-009.jpg");
}

TEST(ModulesShipped, CompiledPatternFollowsTheBlocksBytes)
{
    LoadedModule module("replace_text.so");
    void *slot = module.block(replacing("(\\d+)", "<\\1>", true));
    EXPECT_STREQ(module.process("/p/a1.jpg", "/p/a1.jpg", slot, BRENMARK_MODE_PREVIEW), "/p/a<1>.jpg");
    // Loading a template overwrites a block's bytes without telling the module.
    const ReplaceOptions other = replacing("a", "b");
    std::memcpy(slot, &other, sizeof other);
    EXPECT_STREQ(module.process("/p/a1.jpg", "/p/a1.jpg", slot, BRENMARK_MODE_PREVIEW), "/p/b1.jpg");
}

TEST(ModulesShipped, SameModuleTwiceInAChain)
{
    LoadedModule module("insert_text.so");
    void *first = module.block(inserting("a"));
    void *second = module.block(inserting("b"));
    // The second call gets the text the first one returned: the module must
    // read it before it reuses its own storage.
    const char *afterFirst = module.process("/x/name.txt", "/x/name.txt", first, BRENMARK_MODE_PREVIEW);
    const char *afterSecond = module.process(afterFirst, "/x/name.txt", second, BRENMARK_MODE_PREVIEW);
    EXPECT_STREQ(afterSecond, "/x/baname.txt");
}

TEST(ModulesShipped, NumberComesFromTheFileIndex)
{
    LoadedModule module("numbering.so");
    void *slot = module.block(NumberingOptions{});
    EXPECT_STREQ(module.process("/a/x.jpg", "/a/x.jpg", slot, BRENMARK_MODE_PREVIEW, 0), "/a/001_x.jpg");
    EXPECT_STREQ(module.process("/a/x.jpg", "/a/x.jpg", slot, BRENMARK_MODE_PREVIEW, 9), "/a/010_x.jpg");

    // "авто" pads to the list's size the host told through setFileCount.
    NumberingOptions automatic;
    automatic.width = 0;
    void *autoSlot = module.block(automatic);
    const auto setFileCount = module.function<BrenmarkSetFileCount>("setFileCount");
    EXPECT_STREQ(module.process("/a/x", "/a/x", autoSlot, BRENMARK_MODE_PREVIEW, 4), "/a/005_x") << "never told";
    guardModuleCall([&] { setFileCount(9); });
    EXPECT_STREQ(module.process("/a/x", "/a/x", autoSlot, BRENMARK_MODE_PREVIEW, 4), "/a/5_x");
    guardModuleCall([&] { setFileCount(1000); });
    EXPECT_STREQ(module.process("/a/x", "/a/x", autoSlot, BRENMARK_MODE_PREVIEW, 4), "/a/0005_x");
}

TEST(ModulesShipped, PreviewTouchesNothingAndRunRenames)
{
    TempFolder folder;
    const fs::path source = folder.path() / "IMG_0042.JPG";
    const fs::path target = folder.path() / "Фото_0042.JPG";
    writeFile(source, "picture");
    LoadedModule module("replace_text.so");
    void *slot = module.block(replacing("IMG_", "Фото_"));

    EXPECT_EQ(module.process(source.c_str(), source.c_str(), slot, BRENMARK_MODE_PREVIEW), target.string());
    EXPECT_TRUE(fs::exists(source));
    EXPECT_FALSE(fs::exists(target));

    EXPECT_EQ(module.process(source.c_str(), source.c_str(), slot, BRENMARK_MODE_RUN), target.string());
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(readFile(target), "picture");
}

TEST(ModulesShipped, RunFailuresLoseNothing)
{
    TempFolder folder;
    const fs::path source = folder.path() / "IMG_1.jpg";
    const fs::path existing = folder.path() / "Фото_1.jpg";
    writeFile(source, "new picture");
    writeFile(existing, "old picture");
    LoadedModule module("replace_text.so");
    void *slot = module.block(replacing("IMG_", "Фото_"));

    const std::string conflict = callError(
        [&] { module.process(source.c_str(), source.c_str(), slot, BRENMARK_MODE_RUN); });
    EXPECT_NE(conflict.find("уже существует"), std::string::npos) << conflict;
    EXPECT_EQ(readFile(source), "new picture");
    EXPECT_EQ(readFile(existing), "old picture");

    const fs::path missing = folder.path() / "IMG_2.jpg";
    const std::string gone = callError(
        [&] { module.process(missing.c_str(), missing.c_str(), slot, BRENMARK_MODE_RUN); });
    EXPECT_NE(gone.find("не найден"), std::string::npos) << gone;

    void *emptying = module.block(replacing("IMG_1", ""));
    const std::string empty = callError(
        [&] { module.process(source.c_str(), source.c_str(), emptying, BRENMARK_MODE_RUN); });
    EXPECT_NE(empty.find("«IMG_1.jpg»"), std::string::npos) << empty;
    EXPECT_EQ(readFile(source), "new picture");

    void *slashing = module.block(replacing("IMG_", "../"));
    EXPECT_NE(callError([&] { module.process(source.c_str(), source.c_str(), slashing, BRENMARK_MODE_RUN); })
                  .find("«/»"),
              std::string::npos);
    EXPECT_EQ(readFile(source), "new picture");

    const std::string undecodable = folder.path() / "bad\xff.jpg";
    writeFile(undecodable, "bytes");
    void *anything = module.block(replacing("bad", "good"));
    EXPECT_NE(callError([&] {
                  module.process(undecodable.c_str(), undecodable.c_str(), anything, BRENMARK_MODE_RUN);
              }).find("UTF-8"),
              std::string::npos);
    EXPECT_EQ(readFile(undecodable), "bytes");
}

TEST(ModulesShipped, RefuseBlocksTheyCannotRead)
{
    LoadedModule module("letter_case.so");
    CaseOptions newer;
    newer.version = 99;
    void *slot = module.block(newer);
    EXPECT_NE(callError([&] { module.process("/a/b", "/a/b", slot, BRENMARK_MODE_PREVIEW); })
                  .find("более новой версией"),
              std::string::npos);
    CaseOptions zero;
    zero.version = 0;
    void *damaged = module.block(zero);
    EXPECT_FALSE(callError([&] { module.process("/a/b", "/a/b", damaged, BRENMARK_MODE_PREVIEW); }).empty());
    CaseOptions outOfRange;
    outOfRange.extension = LetterCase(17);
    void *garbled = module.block(outOfRange);
    EXPECT_NE(callError([&] { module.process("/a/b.c", "/a/b.c", garbled, BRENMARK_MODE_PREVIEW); })
                  .find("повреждены"),
              std::string::npos);

    // A pattern that does not parse, or is no UTF-8, is as unreadable as an enumeration out of range.
    LoadedModule patterns("name_pattern.so");
    for (const char *text : {"[N", "[X].[E]", "a/b", "", "\xff[N]"}) {
        NamePatternOptions broken;
        sdk::setFieldText(broken.pattern, text);
        void *block = patterns.block(broken);
        EXPECT_NE(callError([&] { patterns.process("/a/b.c", "/a/b.c", block, BRENMARK_MODE_PREVIEW); })
                      .find("повреждены"),
                  std::string::npos)
            << text;
    }
    NamePatternOptions newerPattern;
    newerPattern.version = 2;
    void *newerBlock = patterns.block(newerPattern);
    EXPECT_NE(callError([&] { patterns.process("/a/b", "/a/b", newerBlock, BRENMARK_MODE_PREVIEW); })
                  .find("более новой версией"),
              std::string::npos);
}

TEST(ModulesShipped, WorkWithoutAWindow)
{
    LoadedModule module("remove_text.so");
    guardModuleCall([&] { module.function<BrenmarkInitialize>("initialize")(nullptr); });
    void *slot = nullptr;
    const char *caption = nullptr;
    // A host without windows never asks for the dialog; if one did, it gets an error, not a crash.
    EXPECT_FALSE(callError([&] {
                     module.function<BrenmarkShowOptions>("showOptions")(1, &slot, &caption);
                 }).empty());
    EXPECT_EQ(slot, nullptr);

    RemoveOptions options;
    options.count = 4;
    void *block = module.block(options);
    EXPECT_STREQ(module.process("/d/IMG_1.jpg", "/d/IMG_1.jpg", block, BRENMARK_MODE_PREVIEW), "/d/1.jpg");
}

TEST(ModulesShipped, UnloadWhenClosed)
{
    for (const char *file : {"insert_text.so", "replace_text.so", "remove_text.so", "letter_case.so",
                             "numbering.so"}) {
        const std::string path = std::string(BRENMARK_PLUGINS_DIR) + "/" + file;
        {
            LoadedModule module(file);
            void *slot = module.block(NumberingOptions{});
            (void)slot;
        }
        // RTLD_NOLOAD only finds a library still in memory.
        void *stillLoaded = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_EQ(stillLoaded, nullptr) << file;
        if (stillLoaded)
            dlclose(stillLoaded);
    }
}
