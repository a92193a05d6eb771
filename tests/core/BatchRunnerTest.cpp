#include "BatchTestSupport.h"

#include "main/core/batch/BatchRunner.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace brenmark;
using batchtest::FileTree;
using batchtest::Fixtures;
using batchtest::RecordingSink;

namespace {

struct RunSetup
{
    RunSetup()
        : runner(files, actions, sink)
    {
    }

    void addRows(int count)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back(FileEntry::dialogRow("/d/f" + std::to_string(i)));
        files.appendRowTexts(rows);
    }

    FileListModel files;
    ActionChainModel actions;
    RecordingSink sink;
    BatchRunner runner;
};

// "process|<name>|<actual>|<index>|..." lines of the spy, reduced to name, actual path, index, id.
std::vector<std::string> calls(void *spy)
{
    std::vector<std::string> result;
    for (const std::string &line : Fixtures::logLines(spy)) {
        if (line.rfind("process|", 0) != 0)
            continue;
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
            fields.push_back(line.substr(start, bar - start));
        fields.push_back(line.substr(start));
        EXPECT_EQ(fields[6], "0") << line; // run mode
        result.push_back(fields[1] + " " + fields[2] + " " + fields[3] + " #" + fields[5]);
    }
    return result;
}

} // namespace

TEST(BatchRun, FilesOuterActionsInnerWithTheRunningNameAsArgumentTwo)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    RunSetup setup;
    for (int i = 0; i < 3; ++i)
        setup.actions.addAction(spy, "spy.so", 0);
    setup.actions.setCheckedByUser(1, false);
    setup.addRows(2);
    Fixtures::reset(spy);

    EXPECT_TRUE(setup.runner.run());
    EXPECT_EQ(calls(spy), (std::vector<std::string> {"/d/f0 /d/f0 0 #1", "/d/f0+1 /d/f0+1 0 #3",
                                                     "/d/f1 /d/f1 1 #1", "/d/f1+1 /d/f1+1 1 #3"}));
    EXPECT_EQ(setup.sink.eventRounds, 4); // once before every call
    EXPECT_NE(std::find(setup.sink.statusHistory.begin(), setup.sink.statusHistory.end(), "f1 / Spy 3"),
              setup.sink.statusHistory.end());
    EXPECT_EQ(setup.sink.progressMaximum, 2);
    EXPECT_EQ(setup.sink.progressPosition, 0);
    EXPECT_EQ(setup.sink.statusText, QString());
    EXPECT_EQ(setup.files.count(), 0); // a complete run empties the list
    EXPECT_FALSE(setup.runner.isRunning());
}

TEST(BatchRun, ARunIsCompleteEvenWithoutEnabledActionsOrFiles)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    for (bool enabled : {true, false}) {
        RunSetup setup;
        setup.actions.addAction(spy, "spy.so", 0);
        setup.actions.setCheckedByUser(0, enabled);
        setup.addRows(3);
        Fixtures::reset(spy);
        EXPECT_TRUE(setup.runner.run());
        EXPECT_EQ(calls(spy).size(), enabled ? 3u : 0u);
        EXPECT_EQ(setup.sink.eventRounds, enabled ? 3 : 0);
        EXPECT_EQ(setup.files.count(), 0);
    }
    RunSetup empty;
    EXPECT_TRUE(empty.runner.run());
}

TEST(BatchRun, AStartAskedForDuringARunIsIgnored)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    RunSetup setup;
    setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(2);
    bool nested = true;
    setup.sink.onEvents = [&] {
        if (setup.sink.eventRounds == 1)
            nested = setup.runner.run();
    };
    Fixtures::reset(spy);
    EXPECT_TRUE(setup.runner.run());
    EXPECT_FALSE(nested);
    EXPECT_EQ(calls(spy).size(), 2u);
    EXPECT_EQ(setup.sink.eventRounds, 2);
}

TEST(BatchRun, StopLetsTheCurrentCallFinishAndKeepsEveryRow)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    struct Case
    {
        int stopAtRound; // a press during the call before this round is seen in this round
        size_t calls;
    };
    // 5 files x 3 actions: during the third file's second action; during the
    // last call but one; before the first call.
    for (Case c : {Case {9, 8}, Case {15, 14}, Case {1, 0}}) {
        RunSetup setup;
        for (int i = 0; i < 3; ++i)
            setup.actions.addAction(spy, "spy.so", 0);
        setup.addRows(5);
        setup.sink.onEvents = [&] {
            if (setup.sink.eventRounds == c.stopAtRound)
                setup.runner.requestStop();
        };
        Fixtures::reset(spy);
        EXPECT_FALSE(setup.runner.run());
        EXPECT_EQ(calls(spy).size(), c.calls);
        EXPECT_TRUE(setup.runner.StopRequested());
        EXPECT_EQ(setup.files.count(), 5);
        EXPECT_EQ(setup.files.rowText(2), "0|/d/f2*/d/f2");
        EXPECT_FALSE(setup.runner.isRunning());
    }
}

TEST(BatchRun, AFailedCallShowsErrorAndTheNextActionStillRuns)
{
    Fixtures fixtures;
    void *thrower = fixtures.load("fixture_batch_throw");
    void *crasher = fixtures.load("fixture_batch_crash");
    void *minimal = fixtures.load("fixture_minimal");
    for (void *failing : {thrower, crasher, minimal}) {
        void *spy = fixtures.load("fixture_batch_spy");
        RunSetup setup;
        auto record = std::make_unique<TListData>();
        record->Module = failing;
        setup.actions.appendAction("Failing", 0, true, std::move(record));
        setup.actions.addAction(spy, "spy.so", 0);
        setup.addRows(3);
        // The thrower fails the middle file only.
        if (failing == thrower)
            Fixtures::hook<void (*)(int32_t)>(thrower, "fixture_throw_at")(1);
        Fixtures::reset(spy);
        EXPECT_TRUE(setup.runner.run()); // failures do not stop the run
        const auto spyCalls = calls(spy);
        ASSERT_EQ(spyCalls.size(), 3u);
        // The thrower left "half-done" in the running name before failing.
        const std::string name1 = failing == thrower ? "half-done" : "/d/f1";
        EXPECT_EQ(spyCalls[1], name1 + " " + name1 + " 1 #1");
        EXPECT_NE(std::find(setup.sink.statusHistory.begin(), setup.sink.statusHistory.end(), "Ошибка!"),
                  setup.sink.statusHistory.end());

        // Only the rows of failed files stay, marked, with the caption and the module's message.
        const std::vector<std::string> kept = failing == thrower
            ? std::vector<std::string> {"/d/f1"} : std::vector<std::string> {"/d/f0", "/d/f1", "/d/f2"};
        EXPECT_EQ(setup.runner.filesRun(), 3);
        EXPECT_EQ(setup.runner.failedFiles(), int(kept.size()));
        ASSERT_EQ(setup.files.count(), int(kept.size()));
        for (int row = 0; row < setup.files.count(); ++row) {
            EXPECT_EQ(setup.files.currentPath(row), kept[row]);
            EXPECT_EQ(setup.files.rowText(row), "0|" + kept[row] + "*" + kept[row]);
            EXPECT_EQ(setup.files.mark(row), FileListModel::RowMark::Failed);
            EXPECT_TRUE(setup.files.markReason(row).startsWith("Failing: ")) << setup.files.markReason(row).toStdString();
        }
        if (failing == thrower) {
            EXPECT_EQ(setup.files.markReason(0), QString::fromUtf8("Failing: Файл занят"));
        }
    }
    // A stopped run keeps every row, the failed ones marked.
    RunSetup stopped;
    auto record = std::make_unique<TListData>();
    record->Module = thrower;
    stopped.actions.appendAction("Failing", 0, true, std::move(record));
    stopped.addRows(3);
    Fixtures::hook<void (*)(int32_t)>(thrower, "fixture_throw_at")(0);
    stopped.sink.onEvents = [&] {
        if (stopped.sink.eventRounds == 3)
            stopped.runner.requestStop();
    };
    EXPECT_FALSE(stopped.runner.run());
    ASSERT_EQ(stopped.files.count(), 3);
    EXPECT_EQ(stopped.files.mark(0), FileListModel::RowMark::Failed);
    EXPECT_EQ(stopped.files.mark(1), FileListModel::RowMark::None);
    EXPECT_EQ(stopped.files.mark(2), FileListModel::RowMark::None);
    EXPECT_EQ(stopped.runner.failedFiles(), 1);
}

TEST(BatchRun, RowsRemovedOrAddedDuringTheRunAreNeverMistaken)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    RunSetup setup;
    setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(5);
    setup.sink.onEvents = [&] {
        if (setup.sink.eventRounds == 1) {
            setup.files.removeRows(RowSelection::fromRows({1, 2}, 5));
            setup.files.appendRowTexts({"0|/d/late"});
        }
    };
    Fixtures::reset(spy);
    setup.runner.run();
    EXPECT_EQ(calls(spy), (std::vector<std::string> {"/d/f0 /d/f0 0 #1", "/d/f3 /d/f3 1 #1", "/d/f4 /d/f4 2 #1"}));

    spy = fixtures.load("fixture_batch_spy");
    RunSetup cleared;
    cleared.actions.addAction(spy, "spy.so", 0);
    cleared.addRows(3);
    cleared.sink.onEvents = [&] { cleared.files.clear(); };
    cleared.runner.run();
    EXPECT_EQ(calls(spy), std::vector<std::string> {"/d/f0 /d/f0 0 #1"});
}

TEST(BatchRun, ActionsRemovedDuringTheRunAreSkipped)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    RunSetup setup;
    for (int i = 0; i < 3; ++i)
        setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(2);
    // While the first action is announced, the user removes it and appends another.
    setup.sink.onEvents = [&] {
        if (setup.sink.eventRounds == 1) {
            setup.actions.RemoveAction(0);
            setup.actions.addAction(spy, "spy.so", 0);
        }
    };
    Fixtures::reset(spy);
    setup.runner.run();
    EXPECT_EQ(calls(spy), (std::vector<std::string> {"/d/f0 /d/f0 0 #2", "/d/f0+2 /d/f0+2 0 #3",
                                                     "/d/f1 /d/f1 1 #2", "/d/f1+2 /d/f1+2 1 #3",
                                                     "/d/f1+2+3 /d/f1+2+3 1 #4"}));
}

TEST(BatchRun, EveryCallSaysHowLongItsActionsLastCallTook)
{
    // A sink that thins out its captions learns which calls may last long
    // enough to be seen: each action's first call (-1), then its last duration.
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    RunSetup setup;
    for (int i = 0; i < 2; ++i)
        setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(3);
    setup.runner.run();
    ASSERT_EQ(setup.sink.expectedCalls.size(), 6u);
    EXPECT_EQ(setup.sink.expectedCalls[0], -1);
    EXPECT_EQ(setup.sink.expectedCalls[1], -1);
    for (size_t at = 2; at < 6; ++at)
        EXPECT_GE(setup.sink.expectedCalls[at], 0) << at;
}

TEST(BatchRun, ASinkWithoutCallTextsIsToldOfEveryCallThatIsMade)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    RunSetup setup;
    for (int i = 0; i < 2; ++i)
        setup.actions.addAction(spy, "spy.so", 0);
    setup.addRows(2);
    setup.sink.callStatusShown = false;
    // The second action is unchecked while it is announced: no call, no notice.
    setup.sink.onEvents = [&] {
        if (setup.sink.eventRounds == 2)
            setup.actions.setCheckedByUser(1, false);
    };
    Fixtures::reset(spy);
    setup.runner.run();
    EXPECT_EQ(calls(spy).size(), 2u);
    EXPECT_EQ(setup.sink.callsStarted, 2);
    // Only the end of the run's empty text: no text per call.
    EXPECT_EQ(setup.sink.statusHistory, std::vector<std::string> {""});
}

TEST(BatchRun, RenamesForRealNeverReplacingAFileNorRenamingAFolder)
{
    Fixtures fixtures;
    void *rename = fixtures.load("fixture_batch_rename");
    FileTree tree;
    const std::string a = tree.file("a", "A");
    const std::string b = tree.file("b", "B");
    const std::string c = tree.file("c", "C");
    const std::string taken = tree.file("r_c", "taken");
    RunSetup setup;
    setup.actions.addAction(rename, "rename.so", 0);
    setup.actions.addAction(rename, "rename.so", 0);
    EXPECT_EQ(setup.files.appendDialogFiles({a, b, c}), 3);
    // Listed as a file, a folder by the time of the run: a failed call, the folder keeps its name.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(b)));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(b)));
    setup.runner.run();
    EXPECT_TRUE(QFileInfo(QString::fromStdString(b)).isDir());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(tree.root() + "/r_b")));
    ASSERT_FALSE(setup.sink.failedCalls.empty());
    EXPECT_EQ(setup.sink.failedCalls[0], b + " / " + setup.actions.caption(0) + ": «" + b
                                             + "» теперь папка, а не файл: пропущен.");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(tree.root() + "/r_r_a")));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(a)));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(c)));
    QFile kept(QString::fromStdString(taken));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "taken");
    EXPECT_NE(std::find(setup.sink.statusHistory.begin(), setup.sink.statusHistory.end(), "Ошибка!"),
              setup.sink.statusHistory.end());
}
