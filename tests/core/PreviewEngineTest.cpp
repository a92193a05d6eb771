#include "BatchTestSupport.h"

#include "main/core/batch/PreviewEngine.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileIconList.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/modulehost/ModuleCallGuard.h"

using namespace brenmark;
using batchtest::FileTree;
using batchtest::Fixtures;
using batchtest::RecordingSink;

namespace {

std::string bar()
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", RecordingSink::kProgressBar);
    return text;
}

// A file list, a chain and an engine over them, with settings the test sets.
struct PreviewSetup
{
    PreviewSetup()
        : engine(files, actions, sink, [this] { return settings; })
    {
    }

    void addRows(int count)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back(FileEntry::listRow("/d/f" + std::to_string(i)));
        files.appendRowTexts(rows);
    }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < files.count(); ++row)
            texts.push_back(files.rowText(row));
        return texts;
    }

    FileListModel files;
    ActionChainModel actions;
    RecordingSink sink;
    PreviewSettings settings;
    PreviewEngine engine;
};

} // namespace

TEST(Preview, EachActionGetsThePreviousNameAndTheUnchangedPath)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    PreviewSetup setup;
    for (int i = 0; i < 3; ++i)
        setup.actions.addAction(spy, "spy.so", 0);
    setup.actions.setCheckedByUser(1, false);
    setup.addRows(2);
    int rewrites = 0;
    QObject::connect(&setup.files, &FileListModel::rowsRewritten, [&](int first, int last) {
        ++rewrites;
        EXPECT_EQ(first, 0);
        EXPECT_EQ(last, 1);
    });
    Fixtures::reset(spy);

    setup.engine.RebuildPreview();
    EXPECT_EQ(setup.rows(), (std::vector<std::string> {"0|/d/f0*/d/f0+1+3", "0|/d/f1*/d/f1+1+3"}));
    EXPECT_EQ(Fixtures::logLines(spy), (std::vector<std::string> {
                                           "process|/d/f0|/d/f0|0|" + bar() + "|1|1",
                                           "process|/d/f0+1|/d/f0|0|" + bar() + "|3|1",
                                           "process|/d/f1|/d/f1|1|" + bar() + "|1|1",
                                           "process|/d/f1+1|/d/f1|1|" + bar() + "|3|1",
                                       }));
    EXPECT_EQ(rewrites, 1);
    EXPECT_EQ(setup.sink.paintedStatus, std::vector<std::string> {"Построение предпросмотра"});
    EXPECT_EQ(setup.sink.statusText, QString());
    EXPECT_EQ(setup.sink.progressMaximum, 2);
    EXPECT_EQ(setup.sink.progressPosition, 0);
    EXPECT_EQ(setup.engine.PreviewFile("/x/y", 7), "/x/y+1+3");
}

TEST(Preview, SwitchedOffOrWithoutEnabledActionsNoModuleIsAsked)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    PreviewSetup setup;
    setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(2);
    Fixtures::reset(spy);

    setup.settings.noPreview = true;
    setup.engine.RebuildPreview();
    EXPECT_EQ(setup.rows(), (std::vector<std::string> {"0|/d/f0", "0|/d/f1"}));
    EXPECT_EQ(setup.engine.PreviewFile("/d/f0", 0), "");
    EXPECT_TRUE(setup.sink.statusHistory.empty());

    setup.settings.noPreview = false;
    setup.actions.applyEnableCommand(ActionChainModel::EnableCommand::DisableAll, -1);
    setup.engine.RebuildPreview();
    EXPECT_EQ(setup.rows(), (std::vector<std::string> {"0|/d/f0*/d/f0", "0|/d/f1*/d/f1"}));
    EXPECT_EQ(Fixtures::log(spy), "");
}

TEST(Preview, AFailingModuleEndsTheRebuildAtItsRow)
{
    Fixtures fixtures;
    void *thrower = fixtures.load("fixture_batch_throw");
    void *crasher = fixtures.load("fixture_batch_crash");
    PreviewSetup setup;
    setup.actions.addAction(thrower, "throw.so", 0);
    Fixtures::hook<void (*)(int32_t)>(thrower, "fixture_throw_at")(2);
    setup.addRows(4);

    try {
        setup.engine.RebuildPreview();
        FAIL() << "no error";
    } catch (const ModuleCallError &error) {
        EXPECT_STREQ(error.what(), "Файл занят");
    }
    EXPECT_EQ(setup.rows(), (std::vector<std::string> {"0|/d/f0*/d/f0+t", "0|/d/f1*/d/f1+t", "0|/d/f2", "0|/d/f3"}));
    EXPECT_EQ(setup.sink.statusText, QString::fromUtf8("Построение предпросмотра"));
    EXPECT_EQ(setup.sink.progressPosition, 3);

    // A memory fault is a failure like any other; the rows keep their text.
    setup.actions.addAction(crasher, "crash.so", 0);
    EXPECT_THROW(setup.engine.RebuildPreview(), ModuleCallError);
    EXPECT_EQ(setup.rows()[0], "0|/d/f0*/d/f0+t");
    EXPECT_EQ(setup.rows()[2], "0|/d/f2");
}

TEST(Preview, AModuleWithoutProcessLeavesTheNameAlone)
{
    Fixtures fixtures;
    void *minimal = fixtures.load("fixture_minimal");
    void *spy = fixtures.load("fixture_batch_spy");
    PreviewSetup setup;
    auto record = std::make_unique<TListData>();
    record->Module = minimal;
    setup.actions.appendAction("Minimal", 0, true, std::move(record));
    setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(1);
    setup.engine.RebuildPreview();
    EXPECT_EQ(setup.rows(), std::vector<std::string> {"0|/d/f0*/d/f0+1"});
}

TEST(Preview, IconIndicesComeFromTheSharedListOnePerType)
{
    PreviewSetup setup;
    setup.settings.showIcons = true;
    std::vector<std::string> rows;
    for (int i = 0; i < 500; ++i)
        rows.push_back(FileEntry::listRow("/p/photo" + std::to_string(i) + (i % 2 ? ".jpg" : ".txt")));
    rows.push_back(FileEntry::listRow("/p/archive.tar.gz"));
    setup.files.appendRowTexts(rows);
    FileIconList &icons = FileIconList::instance();
    const int queriesBefore = icons.mimeQueries();
    setup.engine.RebuildPreview();
    EXPECT_LE(icons.mimeQueries() - queriesBefore, 3);
    const int jpg = setup.files.iconIndex(1);
    const int txt = setup.files.iconIndex(0);
    EXPECT_GT(jpg, 0);
    EXPECT_GT(txt, 0);
    EXPECT_NE(jpg, txt);
    EXPECT_EQ(setup.files.iconIndex(499), jpg);
    EXPECT_EQ(icons.mimeType(jpg), "image/jpeg");
    EXPECT_EQ(icons.mimeType(setup.files.iconIndex(500)), "application/x-compressed-tar");
    EXPECT_FALSE(icons.iconName(jpg).isEmpty());
    EXPECT_EQ(setup.files.rowText(1).substr(0, std::to_string(jpg).size() + 1), std::to_string(jpg) + "|");

    setup.settings.showIcons = false;
    setup.engine.RebuildPreview();
    EXPECT_EQ(setup.files.iconIndex(1), 0);
}

TEST(Preview, DroppedFilesGetTheirNewPathWithTheIndexTheyAreAboutToTake)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    FileTree tree;
    const std::string a = tree.file("a");
    const std::string b = tree.file("b");
    PreviewSetup setup;
    setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(2);
    Fixtures::reset(spy);

    EXPECT_EQ(setup.engine.appendDroppedFiles({a, tree.folder("dir"), tree.root() + "/gone", b}), 2);
    EXPECT_EQ(setup.files.rowText(2), FileEntry::fullRow(0, a, a + "+1"));
    EXPECT_EQ(setup.files.rowText(3), FileEntry::fullRow(0, b, b + "+1"));
    const auto log = Fixtures::logLines(spy);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "process|" + a + "|" + a + "|2|" + bar() + "|1|1");
    EXPECT_EQ(log[1], "process|" + b + "|" + b + "|3|" + bar() + "|1|1");
    EXPECT_EQ(setup.files.rowText(0), "0|/d/f0"); // the other rows are not touched

    setup.settings.noPreview = true;
    setup.engine.appendDroppedFiles({a});
    EXPECT_EQ(setup.files.rowText(4), FileEntry::fullRow(0, a, ""));
    EXPECT_EQ(setup.files.entry(4).currentPath, a);
}

// A module padding numbers to the list's size is told it before a rebuild and
// a single file's preview; after a drop it is told the new size and every row
// is built again. A module standing twice is told once, a switched-off one not.
TEST(Preview, ModulesAreToldTheListsSizeAndADropRebuildsEveryRowForThem)
{
    Fixtures fixtures;
    void *counted = fixtures.load("fixture_batch_counted");
    void *spy = fixtures.load("fixture_batch_spy");
    void *off = fixtures.load("fixture_batch_counted");
    FileTree tree;
    const std::string a = tree.file("a");
    PreviewSetup setup;
    setup.actions.addAction(counted, "counted.so", 0);
    setup.actions.addAction(spy, "spy.so", 0);
    setup.actions.addAction(counted, "counted.so", 0);
    setup.actions.addAction(off, "counted.so", 0);
    setup.actions.setCheckedByUser(3, false);
    setup.addRows(2);
    Fixtures::reset(counted);
    Fixtures::reset(off);

    setup.engine.RebuildPreview();
    EXPECT_EQ(Fixtures::log(counted), "count|2\n");
    EXPECT_EQ(setup.files.rowText(1), FileEntry::fullRow(0, "/d/f1", "/d/f1#1/2+1#1/2"));

    Fixtures::reset(counted);
    EXPECT_EQ(setup.engine.appendDroppedFiles({a}), 1);
    EXPECT_EQ(Fixtures::log(counted), "count|3\n");
    EXPECT_EQ(setup.files.rowText(0), FileEntry::fullRow(0, "/d/f0", "/d/f0#0/3+1#0/3"));
    EXPECT_EQ(setup.files.rowText(2), FileEntry::fullRow(0, a, a + "#2/3+1#2/3"));

    Fixtures::reset(counted);
    EXPECT_EQ(setup.engine.PreviewFile("/d/x", 1), "/d/x#1/3+1#1/3");
    EXPECT_EQ(Fixtures::log(counted), "count|3\n");
    EXPECT_EQ(Fixtures::log(off), "");
}

TEST(Preview, ARebuildAskedForDuringARebuildFollowsItInsteadOfNesting)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    PreviewSetup setup;
    setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(3);
    int rewrites = 0;
    QObject::connect(&setup.files, &FileListModel::rowsRewritten, [&](int, int) { ++rewrites; });
    bool asked = false;
    setup.sink.onProgress = [&](int position) {
        if (position == 2 && !asked) {
            asked = true;
            setup.actions.setCheckedByUser(0, false); // e.g. a click processed by a module
            setup.engine.RebuildPreview();
        }
    };
    setup.engine.RebuildPreview();
    EXPECT_EQ(rewrites, 2);
    EXPECT_EQ(setup.rows(), (std::vector<std::string> {"0|/d/f0*/d/f0", "0|/d/f1*/d/f1", "0|/d/f2*/d/f2"}));
}
