#include "main/core/chain/ActionChainModel.h"
#include "main/core/chain/ChainControlStates.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "main/core/templates/TemplateChain.h"
#include "main/core/templates/TemplateFormat.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using namespace brenmark;

namespace {

using BlockIntact = int32_t (*)(void *);
using NewOptCalls = int32_t (*)();

// The template fixtures, loaded once under the names a Plugins folder would give them.
class TemplateChainTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        for (const char *name : {"alpha", "empty", "hostblock", "wide", "throwing"}) {
            const std::string path = std::string(BRENMARK_FIXTURE_DIR) + "/fixture_tpl_" + name + ".so";
            std::string error;
            auto library = ModuleLibrary::open(path, &error);
            ASSERT_TRUE(library) << error;
            s_libraries[std::string(name) + ".so"] = std::move(library);
        }
    }
    static void TearDownTestSuite() { s_libraries.clear(); }

    static void *module(const std::string &file) { return s_libraries.at(file)->handle(); }

    // Finds the loaded fixtures; the image index tells which one was found.
    ActionItemFinder finder(std::map<std::string, std::string> aliases = {}) const
    {
        return [aliases](const std::string &file) -> ActionItemLookup {
            const auto alias = aliases.find(file);
            const std::string real = alias == aliases.end() ? file : alias->second;
            const auto it = s_libraries.find(real);
            if (it == s_libraries.end())
                return {};
            return {it->second->handle(), static_cast<int>(real.size())};
        };
    }

    // A row as the add command makes it: a block from the module, filled with `bytes`.
    void addRow(ActionChainModel &chain, const std::string &file, const std::string &caption,
                std::vector<std::uint8_t> bytes, bool checked = true)
    {
        auto record = std::make_unique<TListData>();
        record->Module = module(file);
        record->ModuleFile = file;
        record->Options = std::calloc(bytes.size() + 64, 1);
        record->HostAllocatedOptions = true;
        std::memcpy(record->Options, bytes.data(), bytes.size());
        chain.appendAction(caption, 0, checked, std::move(record));
    }

    static std::vector<std::uint8_t> optionBytes(const ActionChainModel &chain, int row, std::size_t size)
    {
        const auto *block = static_cast<const std::uint8_t *>(chain.record(row).Options);
        return std::vector<std::uint8_t>(block, block + size);
    }

    void writeTemplate(const QString &path, const std::vector<TemplateAction> &actions)
    {
        TemplateFormat::writeFile(path, actions);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("chain.ptp"));
    static inline std::map<std::string, std::unique_ptr<ModuleLibrary>> s_libraries;
};

} // namespace

TEST_F(TemplateChainTest, RoundTripEnablesEveryActionAndKeepsOrderCaptionsAndBytes)
{
    ActionChainModel chain;
    addRow(chain, "alpha.so", "Первое", {1, 2, 3, 4, 5, 6, 7, 8}, false);
    addRow(chain, "empty.so", "nothing", {});
    addRow(chain, "hostblock.so", "host", {9, 8, 7, 6, 5}, false);
    addRow(chain, "alpha.so", "second alpha", {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0});
    SaveTemplate(chain, path);

    EXPECT_EQ(TemplateFormat::readFile(path),
              (std::vector<TemplateAction>{{"alpha.so", "Первое", {1, 2, 3, 4, 5, 6, 7, 8}},
                                           {"empty.so", "nothing", {}},
                                           {"hostblock.so", "host", {9, 8, 7, 6, 5}},
                                           {"alpha.so", "second alpha", {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0}}}));

    ActionChainModel loaded;
    addRow(loaded, "alpha.so", "replaced", {0, 0, 0, 0, 0, 0, 0, 0});
    int rebuilds = 0;
    QObject::connect(&loaded, &ActionChainModel::previewRebuildRequested, [&] { ++rebuilds; });
    const auto newOptCalls = moduleFunction<NewOptCalls>(module("alpha.so"), "tplFixtureNewOptCalls");
    const int callsBefore = newOptCalls();
    const TemplateLoadResult result = LoadTemplate(loaded, path, finder());

    EXPECT_FALSE(result.missing);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_FALSE(loaded.ChainUpdating());
    EXPECT_EQ(newOptCalls() - callsBefore, 2);
    ASSERT_EQ(loaded.count(), 4);
    const char *captions[] = {"Первое", "nothing", "host", "second alpha"};
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(loaded.isChecked(row));
        EXPECT_EQ(loaded.caption(row), captions[row]);
        EXPECT_EQ(loaded.record(row).ModuleFile, chain.record(row).ModuleFile);
        EXPECT_EQ(loaded.record(row).Module, chain.record(row).Module);
        EXPECT_EQ(loaded.imageIndex(row), static_cast<int>(loaded.record(row).ModuleFile.size()));
    }
    EXPECT_EQ(optionBytes(loaded, 0, 8), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(optionBytes(loaded, 3, 8), (std::vector<std::uint8_t>{0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0}));
    // The module without newOpt gets a host block holding the stored bytes.
    EXPECT_TRUE(loaded.record(2).HostAllocatedOptions);
    EXPECT_EQ(optionBytes(loaded, 2, 5), (std::vector<std::uint8_t>{9, 8, 7, 6, 5}));
    EXPECT_FALSE(loaded.record(0).HostAllocatedOptions);

    // Saved again, the file is the same byte for byte.
    const QString again = dir.filePath(QStringLiteral("again.ptp"));
    SaveTemplate(loaded, again);
    QFile first(path), second(again);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
}

TEST_F(TemplateChainTest, MissingModulesAreNamedOnceAndLeftOut)
{
    writeTemplate(path, {{"mega.so", "m1", {1}},
                         {"alpha.so", "kept", {1, 2, 3, 4, 5, 6, 7, 8}},
                         {"gone.so", "g", {}},
                         {"mega.so", "m2", {2, 2}},
                         {"a.so", "inside mega.so", {3}},
                         {"empty.so", "kept too", {}}});
    ActionChainModel chain;
    std::vector<std::pair<QString, bool>> reports;
    const TemplateLoadResult result = LoadTemplate(chain, path, finder(), [&](const QString &message) {
        reports.emplace_back(message, chain.ChainUpdating());
    });
    EXPECT_TRUE(result.missing);
    EXPECT_EQ(result.missingModuleText, QStringLiteral("\nmega.so\ngone.so\n"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].first, QStringLiteral("Не найдены модули:\nmega.so\ngone.so\n"));
    EXPECT_TRUE(reports[0].second);
    ASSERT_EQ(chain.count(), 2);
    EXPECT_EQ(chain.caption(0), "kept");
    EXPECT_EQ(chain.caption(1), "kept too");
    EXPECT_EQ(optionBytes(chain, 0, 8), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(TemplateChainTest, AllModulesMissingGivesAnEmptyChain)
{
    writeTemplate(path, {{"gone.so", "g", {1, 2}}, {"Alpha.so", "letter case counts", {}}});
    ActionChainModel chain;
    addRow(chain, "alpha.so", "old", {0, 0, 0, 0, 0, 0, 0, 0});
    bool saveEnabled = true;
    QObject::connect(&chain, &ActionChainModel::controlStatesChanged,
                     [&] { saveEnabled = actionButtonStates(false, chain.count()).saveEnabled; });
    const TemplateLoadResult result = LoadTemplate(chain, path, finder());
    EXPECT_TRUE(result.missing);
    EXPECT_EQ(result.missingModuleText, QStringLiteral("\ngone.so\nAlpha.so\n"));
    EXPECT_EQ(chain.count(), 0);
    EXPECT_FALSE(saveEnabled);

    writeTemplate(path, {});
    const TemplateLoadResult none = LoadTemplate(chain, path, finder());
    EXPECT_FALSE(none.missing);
    EXPECT_EQ(none.missingModuleText, QStringLiteral("\n"));
}

TEST_F(TemplateChainTest, StoredSizeOtherThanTheModulesIsCopiedWithinItsBlock)
{
    std::vector<std::uint8_t> twelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    // alpha has 8 bytes now, wide 16; hostblock 5 without newOpt.
    writeTemplate(path, {{"alpha.so", "grew in the file", twelve},
                         {"wide.so", "shrank in the file", {1, 2, 3, 4}},
                         {"hostblock.so", "short host block", {7}}});
    ActionChainModel chain;
    LoadTemplate(chain, path, finder());
    ASSERT_EQ(chain.count(), 3);
    const auto intact = moduleFunction<BlockIntact>(module("alpha.so"), "tplFixtureBlockIntact");
    EXPECT_EQ(intact(chain.record(0).Options), 1) << "bytes were written past the module's block";
    EXPECT_EQ(optionBytes(chain, 0, 8), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(optionBytes(chain, 1, 16), (std::vector<std::uint8_t>{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(optionBytes(chain, 2, 5), (std::vector<std::uint8_t>{7, 0, 0, 0, 0}));

    SaveTemplate(chain, path);
    const auto saved = TemplateFormat::readFile(path);
    EXPECT_EQ(saved[0].options.size(), 8u);
    EXPECT_EQ(saved[1].options.size(), 16u);
    EXPECT_EQ(saved[2].options.size(), 5u);
}

TEST_F(TemplateChainTest, DamagedFileLeavesTheChainAsItWas)
{
    writeTemplate(path, {{"alpha.so", "a", {1, 2, 3, 4, 5, 6, 7, 8}}, {"empty.so", "e", {}}});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() - 3)); // the second record's size field cut short
    file.close();

    ActionChainModel chain;
    addRow(chain, "alpha.so", "current", {5, 5, 5, 5, 5, 5, 5, 5});
    int rebuilds = 0;
    QObject::connect(&chain, &ActionChainModel::previewRebuildRequested, [&] { ++rebuilds; });
    try {
        LoadTemplate(chain, path, finder());
        FAIL() << "no error raised";
    } catch (const TemplateFormatError &error) {
        // The quoted system text, with the template and its file named around it.
        EXPECT_EQ(std::string(error.what()), "Шаблон «chain»: "
                                                 + path.toStdString() + ": Read beyond end of file");
    }
    EXPECT_FALSE(chain.ChainUpdating());
    EXPECT_EQ(rebuilds, 0);
    ASSERT_EQ(chain.count(), 1);
    EXPECT_EQ(chain.caption(0), "current");
    EXPECT_EQ(optionBytes(chain, 0, 8), (std::vector<std::uint8_t>{5, 5, 5, 5, 5, 5, 5, 5}));

    EXPECT_THROW(LoadTemplate(chain, dir.filePath(QStringLiteral("none.ptp")), finder()), TemplateFormatError);
    EXPECT_EQ(chain.count(), 1);
}

TEST_F(TemplateChainTest, FailingModuleStopsTheLoadWithoutAHalfBuiltRow)
{
    writeTemplate(path, {{"alpha.so", "before", {1, 1, 1, 1, 1, 1, 1, 1}},
                         {"throwing.so", "fails", {2, 2, 2, 2}},
                         {"empty.so", "after", {}}});
    ActionChainModel chain;
    int rebuilds = 0;
    QObject::connect(&chain, &ActionChainModel::previewRebuildRequested, [&] { ++rebuilds; });
    try {
        LoadTemplate(chain, path, finder());
        FAIL() << "no error raised";
    } catch (const ModuleCallError &error) {
        EXPECT_NE(std::string(error.what()).find("newOpt refuses"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(chain.ChainUpdating());
    EXPECT_EQ(rebuilds, 1); // the row that stays needs its new names
    ASSERT_EQ(chain.count(), 1);
    EXPECT_EQ(chain.caption(0), "before");
}

TEST_F(TemplateChainTest, EmptyChainWritesNothing)
{
    ActionChainModel chain;
    SaveTemplate(chain, path);
    EXPECT_FALSE(QFile::exists(path));

    writeTemplate(path, {{"alpha.so", "before", {1, 1, 1, 1, 1, 1, 1, 1}}});
    SaveTemplate(chain, path);
    EXPECT_EQ(TemplateFormat::readFile(path).at(0).caption, "before");
}
