// The module helper's shared pieces: name splitting, name checks, UTF-8,
// option fields, the prepared-state cache and the rename that never replaces.
#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "module_helper/PreparedCache.h"
#include "module_helper/RenamingModule.h"
#include "module_helper/SafeRename.h"
#include "module_helper/Utf8.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using namespace brenmark::sdk;
namespace fs = std::filesystem;

TEST(ModuleHelperNames, SplitsAtTheLastDotAfterLeadingDots)
{
    const struct
    {
        const char *name;
        const char *base;
        const char *extension;
        bool hasExtension;
    } table[] = {
        {"photo.jpg", "photo", "jpg", true},
        {"архив.tar.gz", "архив.tar", "gz", true},
        {"README", "README", "", false},
        {".bashrc", ".bashrc", "", false},
        {".config.json", ".config", "json", true},
        {"..a.b", "..a", "b", true},
        {"...", "...", "", false},
        {"name.", "name", "", true},
        {"", "", "", false},
    };
    for (const auto &row : table) {
        const NameParts parts = splitFileName(row.name);
        EXPECT_EQ(parts.base, row.base) << row.name;
        EXPECT_EQ(parts.extension, row.extension) << row.name;
        EXPECT_EQ(parts.hasExtension, row.hasExtension) << row.name;
        std::string joined;
        if (!parts.base.empty()) {
            appendFileName(joined, parts.base, parts.extension, parts.hasExtension);
            EXPECT_EQ(joined, row.name);
        }
    }
    std::string out;
    EXPECT_THROW(appendFileName(out, "", "jpg", true), ModuleError);

    EXPECT_EQ(splitPath("/a/b/c.txt").folder, "/a/b/");
    EXPECT_EQ(splitPath("/a/b/c.txt").fileName, "c.txt");
    EXPECT_EQ(splitPath("c.txt").folder, "");
    EXPECT_EQ(splitPath("/a/").fileName, "");
}

TEST(ModuleHelperNames, RefusesWhatCannotNameAFile)
{
    for (const std::string &bad : {std::string(), std::string("."), std::string(".."),
                                  std::string("a/b"), std::string("a\0b", 3), std::string(256, 'x')})
        EXPECT_THROW(checkFileName(bad), ModuleError) << bad.size();
    EXPECT_NO_THROW(checkFileName(std::string(255, 'x')));
    EXPECT_NO_THROW(checkFileName("...a"));
    EXPECT_THROW(checkPathLength(std::string(4096, 'x')), ModuleError);
    EXPECT_NO_THROW(checkPathLength(std::string(4095, 'x')));
}

TEST(ModuleHelperUtf8, ValidatesAndCountsCharacters)
{
    EXPECT_TRUE(isValidUtf8("Привет, 世界 🙂"));
    for (const char *bad : {"\xff", "\xd0", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "a\x80"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    EXPECT_THROW(requireUtf8("bad\xff.jpg"), ModuleError);

    const std::string text = "аб🙂c";
    EXPECT_EQ(charCount(text), 4u);
    EXPECT_EQ(byteOffset(text, 2), 4u);
    EXPECT_EQ(byteOffset(text, 3), 8u);
    EXPECT_EQ(byteOffset(text, 9), text.size());

    std::string encoded;
    for (std::size_t i = 0; i < text.size();)
        appendCodePoint(encoded, nextCodePoint(text, i));
    EXPECT_EQ(encoded, text);

    QString decoded;
    decodeUtf8(text, decoded);
    EXPECT_EQ(decoded, QString::fromUtf8(text.c_str()));
    decodeUtf8("x", decoded);
    EXPECT_EQ(decoded, QStringLiteral("x"));
    std::string back = ">";
    appendUtf8(back, decoded);
    EXPECT_EQ(back, ">x");
}

TEST(ModuleHelperFields, CutsOnACharacterBoundaryAndTerminates)
{
    char field[6];
    setFieldText(field, "абв"); // 6 bytes do not fit in 5 + terminator
    EXPECT_EQ(fieldText(field), "аб");
    EXPECT_EQ(field[4], '\0');
    setFieldText(field, "ab");
    EXPECT_EQ(fieldText(field), "ab");
    EXPECT_EQ(field[5], '\0');
}

TEST(ModuleHelperPreparedCache, MakesAgainOnlyWhenTheBlockChanges)
{
    struct Options
    {
        uint16_t version;
        int value;
    };
    PreparedCache<Options, int> cache;
    int made = 0;
    auto make = [&made](const Options &options) {
        ++made;
        return options.value * 10;
    };
    Options first{1, 1};
    Options second{1, 2};
    EXPECT_EQ(cache.get(first, make), 10);
    EXPECT_EQ(cache.get(first, make), 10);
    EXPECT_EQ(cache.get(second, make), 20);
    EXPECT_EQ(cache.get(first, make), 10);
    EXPECT_EQ(made, 2);
    first.value = 3; // as when a template overwrites the block's bytes
    EXPECT_EQ(cache.get(first, make), 30);
    EXPECT_EQ(made, 3);
    cache.forget(&first);
    EXPECT_EQ(cache.get(first, make), 30);
    EXPECT_EQ(made, 4);

    auto failing = [](const Options &) -> int { throw ModuleError("bad"); };
    Options broken{1, 9};
    EXPECT_THROW(cache.get(broken, failing), ModuleError);
    EXPECT_THROW(cache.get(broken, failing), ModuleError); // a failure is not cached as a result
    EXPECT_EQ(cache.get(broken, make), 90);
}

TEST(ModuleHelperRename, RenamesWithoutReplacingAnything)
{
    TempFolder folder;
    const fs::path source = folder.path() / "исходный.txt";
    const fs::path target = folder.path() / "новый.txt";
    writeFile(source, "source");

    renameNoReplace(source.string(), target.string());
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(readFile(target), "source");

    renameNoReplace(target.string(), target.string()); // same path: nothing to do
    EXPECT_EQ(readFile(target), "source");
}

// A rename acts on the path it is given, also when the folder of the
// previous rename was replaced by another of the same name just before.
TEST(ModuleHelperRename, AReplacedFolderIsFollowed)
{
    TempFolder root;
    const fs::path folder = root.path() / "photos";
    fs::create_directory(folder);
    writeFile(folder / "a", "old a");
    writeFile(folder / "b", "old b");
    renameNoReplace((folder / "a").string(), (folder / "a2").string());

    fs::rename(folder, root.path() / "archive");
    fs::create_directory(folder);
    writeFile(folder / "b", "new b");
    renameNoReplace((folder / "b").string(), (folder / "b2").string());
    EXPECT_EQ(readFile(folder / "b2"), "new b");
    EXPECT_FALSE(fs::exists(folder / "b"));
    EXPECT_EQ(readFile(root.path() / "archive" / "b"), "old b");
    EXPECT_FALSE(fs::exists(root.path() / "archive" / "b2"));
}

TEST(ModuleHelperRename, FailuresLeaveBothFilesAndSayWhy)
{
    TempFolder folder;
    const fs::path source = folder.path() / "a.txt";
    const fs::path existing = folder.path() / "b.txt";
    writeFile(source, "a");
    writeFile(existing, "b");

    const struct
    {
        fs::path from;
        fs::path to;
        const char *reason;
    } table[] = {
        {source, existing, "уже существует"},
        {folder.path() / "нет.txt", folder.path() / "c.txt", "не найден"},
        {source, folder.path() / "нет" / "c.txt", "не существует"},
        {source, folder.path() / std::string(300, 'x'), "длинное"},
    };
    for (const auto &row : table) {
        try {
            renameNoReplace(row.from.string(), row.to.string());
            ADD_FAILURE() << "renamed " << row.from << " to " << row.to;
        } catch (const ModuleError &error) {
            EXPECT_NE(std::string(error.what()).find(row.reason), std::string::npos) << error.what();
        }
        EXPECT_EQ(readFile(source), "a");
        EXPECT_EQ(readFile(existing), "b");
    }
    EXPECT_FALSE(fs::exists(folder.path() / "нет"));
}

namespace {

// Layout 2 added `suffix`; layout 1 blocks had only `text`.
struct LayoutOptions
{
    uint16_t version = 2;
    char text[16] = "a";
    char suffix[16] = "!";
};

class LayoutModule final : public RenamingModule<LayoutOptions>
{
public:
    ModuleDescription description() const override { return {"1.02", "Test", "Test", "Test", "*"}; }
    int upgrades = 0;

protected:
    LayoutOptions defaults() const override { return {}; }
    std::string describe(const LayoutOptions &options) const override
    {
        return std::string(fieldText(options.text));
    }
    bool edit(QWidget *, LayoutOptions &, bool) override { return false; }
    void appendNewName(const LayoutOptions &options, const FileRequest &request, std::string &out) override
    {
        out.append(request.fileName).append(fieldText(options.text)).append(fieldText(options.suffix));
    }
    bool upgrade(LayoutOptions &options) const override
    {
        ++const_cast<LayoutModule *>(this)->upgrades;
        return options.version == 1;
    }
};

} // namespace

TEST(ModuleHelperRenamingModule, ReadsBlocksOfEarlierLayouts)
{
    LayoutModule module;
    alignas(LayoutOptions) unsigned char block[sizeof(LayoutOptions)] = {};
    module.initOptions(block);
    module.checkOptions(block);
    EXPECT_EQ(module.upgrades, 0);

    // An earlier block: its bytes over a block holding the defaults.
    const uint16_t earlier = 1;
    std::memcpy(block, &earlier, sizeof earlier);
    std::memcpy(block + offsetof(LayoutOptions, text), "b", 2);
    module.checkOptions(block);
    EXPECT_EQ(module.upgrades, 1);
    std::string path;
    module.computePath(block, FileRequest{"/d/x", "/d/", "x", "/d/x", 0, true, nullptr}, path);
    EXPECT_EQ(path, "/d/xb!");
    EXPECT_EQ(reinterpret_cast<LayoutOptions *>(block)->version, 2);

    for (const uint16_t unreadable : {uint16_t(0), uint16_t(3)}) {
        std::memcpy(block, &unreadable, sizeof unreadable);
        EXPECT_THROW(module.checkOptions(block), ModuleError) << unreadable;
    }
}
