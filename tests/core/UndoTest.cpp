#include "BatchTestSupport.h"
#include "FileModulesTestSupport.h"
#include "tests/support/FileSizeLimit.h"

#include "main/core/batch/BatchRunner.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/filelist/FileListModel.h"
#include "main/core/undo/RunRecorder.h"
#include "main/core/undo/UndoJournal.h"
#include "main/core/undo/UndoRun.h"
#include "module_helper/FileMove.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

using namespace brenmark;
using namespace filemodulestest;
namespace fs = std::filesystem;

namespace {

// The working folder, put back at the end of the scope.
class WorkingFolder
{
public:
    explicit WorkingFolder(const std::string &folder) : m_old(fs::current_path()) { fs::current_path(folder); }
    ~WorkingFolder() { fs::current_path(m_old); }

private:
    fs::path m_old;
};

FileIdentity identityOf(const std::string &path)
{
    FileIdentity identity;
    EXPECT_TRUE(readIdentity(path, identity)) << path;
    return identity;
}

// One file through a chain, reported to the recorder as the batch run
// reports module calls: each step moves the file (making its folder, as a
// moving module does) and hands the recorder the running name.
void recordChain(RunRecorder &recorder, const std::vector<std::string> &places)
{
    recorder.beginFile(places.front(), identityOf(places.front()));
    for (std::size_t i = 1; i < places.size(); ++i) {
        fs::create_directories(fs::path(places[i]).parent_path());
        sdk::moveFile(places[i - 1], places[i]);
        recorder.afterCall(places[i].c_str());
    }
    recorder.endFile();
}

void recordRun(const std::string &journal, const std::vector<std::vector<std::string>> &chains)
{
    RunRecorder recorder(journal);
    recorder.beginRun();
    for (const auto &chain : chains)
        recordChain(recorder, chain);
    recorder.endRun();
    EXPECT_EQ(recorder.takeProblem(), "");
}

} // namespace

// Files given relative to the working folder of the run come back from any
// other folder; a chain of renames is one entry, undone to its first place.
TEST(Undo, ARunWithRelativePathsIsUndoneFromAnotherFolder)
{
    batchtest::Fixtures fixtures;
    void *rename = fixtures.load("fixture_batch_rename");
    TemporaryFolder files;
    TemporaryFolder program;
    ASSERT_TRUE(files.valid() && program.valid());
    writeFile(files.file("a"), "A");
    writeFile(files.file("b"), "B");
    const std::string journal = program.file("Undo/");
    {
        WorkingFolder inFiles(files.file(""));
        FileListModel list;
        ActionChainModel chain;
        batchtest::RecordingSink sink;
        BatchRunner runner(list, chain, sink);
        RunRecorder recorder(journal);
        runner.setRecorder(&recorder);
        chain.addAction(rename, "rename.so", 0);
        chain.addAction(rename, "rename.so", 0);
        ASSERT_EQ(list.appendListFiles({"a", "./b"}), 2);
        EXPECT_TRUE(runner.run());
    }
    ASSERT_EQ(readFile(files.file("r_r_a")), "A");

    const JournalContents contents = readJournal(journal);
    ASSERT_EQ(contents.runs.size(), 1u);
    ASSERT_EQ(contents.runs[0].moves.size(), 2u);
    EXPECT_EQ(contents.runs[0].moves[0].from, files.file("a"));
    EXPECT_EQ(contents.runs[0].moves[0].to, files.file("r_r_a"));
    EXPECT_EQ(contents.runs[0].moves[1].from, files.file("b"));

    WorkingFolder elsewhere(program.file(""));
    EXPECT_EQ(planUndo(journal).files, 2);
    const UndoResult result = undoLastRun(journal);
    EXPECT_EQ(result.returned, 2);
    EXPECT_TRUE(result.allReturned()) << result.notReturned.front();
    EXPECT_EQ(readFile(files.file("a")), "A");
    EXPECT_EQ(readFile(files.file("b")), "B");
    EXPECT_FALSE(exists(files.file("r_r_a")));
    EXPECT_FALSE(exists(program.file("a")));
    EXPECT_FALSE(undoAvailable(journal)) << "a run undone whole leaves the journal";
}

// A file goes back only when the thing at its place is still that file and
// its old place is free. What cannot go back stays where it is, the rest of
// the run is still undone, and a file that found its old place taken is
// tried again by the next undo.
TEST(Undo, OnlyTheSameFileGoesBackAndNothingIsReplaced)
{
    TemporaryFolder root;
    ASSERT_TRUE(root.valid());
    const std::string journal = root.file("Undo/");
    for (const char *name : {"kept", "replaced", "folder", "taken", "gone"})
        writeFile(root.file(name), std::string("old ") + name);
    std::vector<std::vector<std::string>> chains;
    for (const char *name : {"kept", "replaced", "folder", "taken", "gone"})
        chains.push_back({root.file(name), root.file(std::string("new_") + name)});
    recordRun(journal, chains);

    // Another file under the same name; the freed inode is often given out again.
    fs::remove(root.file("new_replaced"));
    writeFile(root.file("new_replaced"), "other");
    fs::remove(root.file("new_folder"));
    fs::create_directories(root.file("new_folder/tree"));
    writeFile(root.file("taken"), "in the way");
    fs::remove(root.file("new_gone"));

    const UndoResult result = undoLastRun(journal);
    EXPECT_EQ(result.returned, 1);
    ASSERT_EQ(result.notReturned.size(), 4u);
    // Newest first: the files in reverse order of the run.
    EXPECT_EQ(result.notReturned[0], "«" + root.file("new_gone") + "» не найден: файл не возвращён в «" + root.file("gone") + "».");
    EXPECT_EQ(result.notReturned[1], "Место «" + root.file("taken") + "» занято: «" + root.file("new_taken")
                                         + "» оставлен, где он есть.");
    EXPECT_EQ(result.notReturned[2], "На месте «" + root.file("new_folder") + "» теперь папка: она не тронута, «"
                                         + root.file("folder") + "» не возвращён.");
    EXPECT_EQ(result.notReturned[3], "«" + root.file("new_replaced") + "» теперь другой файл с тем же именем: он не тронут, «"
                                         + root.file("replaced") + "» не возвращён.");
    EXPECT_EQ(readFile(root.file("kept")), "old kept");
    EXPECT_EQ(readFile(root.file("new_replaced")), "other");
    EXPECT_FALSE(exists(root.file("replaced")));
    EXPECT_TRUE(fs::is_directory(root.file("new_folder/tree")));
    EXPECT_FALSE(exists(root.file("folder")));
    EXPECT_EQ(readFile(root.file("taken")), "in the way");
    EXPECT_EQ(readFile(root.file("new_taken")), "old taken");

    // Only the file whose place was taken is left to undo.
    EXPECT_EQ(planUndo(journal).files, 1);
    fs::remove(root.file("taken"));
    const UndoResult again = undoLastRun(journal);
    EXPECT_EQ(again.returned, 1);
    EXPECT_TRUE(again.allReturned());
    EXPECT_EQ(readFile(root.file("taken")), "old taken");
    EXPECT_FALSE(undoAvailable(journal));
}

// Moves are undone newest first: a file that took the place another had
// just left goes back before that one returns to it.
TEST(Undo, MovesAreUndoneInReverseOrder)
{
    TemporaryFolder root;
    ASSERT_TRUE(root.valid());
    const std::string journal = root.file("Undo/");
    writeFile(root.file("a"), "first");
    writeFile(root.file("b"), "second");
    recordRun(journal, {{root.file("b"), root.file("c")}, {root.file("a"), root.file("b")}});
    ASSERT_EQ(readFile(root.file("b")), "first");

    const UndoResult result = undoLastRun(journal);
    EXPECT_EQ(result.returned, 2);
    EXPECT_TRUE(result.allReturned()) << result.notReturned.front();
    EXPECT_EQ(readFile(root.file("a")), "first");
    EXPECT_EQ(readFile(root.file("b")), "second");
    EXPECT_FALSE(exists(root.file("c")));
}

// Across file systems the run's file is a copy, found by size and time; the
// undo copies it back, checks the copy and only then removes it.
TEST(Undo, ReturnsFilesAcrossFileSystems)
{
    TemporaryFolder ext4;
    TemporaryFolder tmpfs("/dev/shm");
    ASSERT_TRUE(ext4.valid() && tmpfs.valid());
    if (identityOf(ext4.file("")).device == identityOf(tmpfs.file("")).device)
        GTEST_SKIP() << "/tmp and /dev/shm are one file system here";
    const std::string journal = ext4.file("Undo/");
    writeFile(ext4.file("photo.jpg"), "picture");
    recordRun(journal, {{ext4.file("photo.jpg"), tmpfs.file("2024/photo.jpg")}});
    ASSERT_EQ(readJournal(journal).runs.at(0).moves.size(), 1u);

    const UndoResult result = undoLastRun(journal);
    EXPECT_EQ(result.returned, 1);
    EXPECT_TRUE(result.allReturned()) << result.notReturned.front();
    EXPECT_EQ(readFile(ext4.file("photo.jpg")), "picture");
    EXPECT_FALSE(exists(tmpfs.file("2024/photo.jpg")));
    EXPECT_FALSE(exists(tmpfs.file("2024"))) << "the folder the run made is removed";

    // A copy that leaves the original in place is no move: nothing is recorded.
    RunRecorder recorder(journal);
    recorder.beginRun();
    recorder.beginFile(ext4.file("photo.jpg"), identityOf(ext4.file("photo.jpg")));
    fs::copy_file(ext4.file("photo.jpg"), tmpfs.file("copy.jpg"));
    recorder.afterCall(tmpfs.file("copy.jpg").c_str());
    recorder.endFile();
    recorder.endRun();
    EXPECT_FALSE(undoAvailable(journal));
}

// Folders the run made for its files are removed once empty again, innermost
// first; folders that were there before the run, or that hold files of
// someone else, stay.
TEST(Undo, RemovesOnlyTheEmptyFoldersTheRunMade)
{
    TemporaryFolder root;
    ASSERT_TRUE(root.valid());
    if (identityOf(root.file("")).born == FileIdentity::kNoTime)
        GTEST_SKIP() << "no birth times on this file system";
    const std::string journal = root.file("Undo/");
    fs::create_directories(root.file("photos/old"));
    for (const char *name : {"a", "b", "c"})
        writeFile(root.file(std::string("photos/") + name), name);
    recordRun(journal, {{root.file("photos/a"), root.file("photos/2024/07/a")},
                        {root.file("photos/b"), root.file("photos/old/b")},
                        {root.file("photos/c"), root.file("sorted/c")}});
    const JournalRun run = readJournal(journal).runs.at(0);
    std::vector<std::string> folders;
    for (const JournalFolder &folder : run.folders)
        folders.push_back(folder.path);
    EXPECT_EQ(folders, (std::vector<std::string> {root.file("photos/2024/07"), root.file("photos/2024"), root.file("sorted")}));

    writeFile(root.file("sorted/someone else's"), "x");
    const UndoResult result = undoLastRun(journal);
    EXPECT_EQ(result.returned, 3);
    EXPECT_EQ(result.foldersRemoved, 2);
    EXPECT_EQ(result.foldersKept, std::vector<std::string> {root.file("sorted")});
    EXPECT_FALSE(exists(root.file("photos/2024")));
    EXPECT_TRUE(fs::is_directory(root.file("photos/old")));
    EXPECT_EQ(readFile(root.file("sorted/someone else's")), "x");
}

// A run file cut short or damaged loses only its run; the journal keeps the
// last runs; a write that fails (a full disk) leaves the journal as it was,
// and the run is told once that it cannot be undone.
TEST(UndoJournal, DamageCostsOnlyTheDamagedRun)
{
    TemporaryFolder root;
    ASSERT_TRUE(root.valid());
    const std::string journal = root.file("Undo/");
    for (int i = 0; i < 12; ++i) {
        JournalRun run;
        run.file = journalRunFileName(1000 + i);
        run.moves.push_back({"/from/" + std::to_string(i), "/to/\n|*\x1b" + std::to_string(i), {}});
        ASSERT_EQ(writeJournalRun(journal, run), 0);
    }
    pruneJournal(journal, kJournalRuns);
    const std::vector<JournalRun> read = readJournal(journal).runs;
    ASSERT_EQ(read.size(), kJournalRuns);
    EXPECT_EQ(read.front().moves.at(0).from, "/from/2");
    EXPECT_EQ(read.back().moves.at(0).to, "/to/\n|*\x1b" "11");

    const std::vector<std::string> files = journalRunFiles(journal);
    std::string damaged = readFile(journal + files[4]);
    damaged[20] ^= 0x40;
    writeFile(journal + files[4], damaged);
    const std::string whole = readFile(journal + files[9]);
    writeFile(journal + files[9], whole.substr(0, whole.size() - 1));
    const JournalContents contents = readJournal(journal);
    EXPECT_EQ(contents.damagedRuns, 2);
    ASSERT_EQ(contents.runs.size(), kJournalRuns - 2);
    EXPECT_EQ(contents.runs[3].moves.at(0).from, "/from/5");
    EXPECT_EQ(contents.runs.back().moves.at(0).from, "/from/10");

    writeFile(root.file("a"), "A");
    RunRecorder recorder(journal);
    recorder.beginRun();
    {
        FileSizeLimit full(64);
        recordChain(recorder, {root.file("a"), root.file("b")});
        EXPECT_NE(recorder.takeProblem().find("Этот запуск нельзя будет отменить."), std::string::npos);
        recordChain(recorder, {root.file("b"), root.file("c")});
        recorder.endRun();
    }
    EXPECT_EQ(recorder.takeProblem(), "") << "told once";
    EXPECT_EQ(journalRunFiles(journal), files) << "no run lost, none added";
    EXPECT_EQ(readFile(journal + files[9]), whole.substr(0, whole.size() - 1));
    EXPECT_EQ(readFile(root.file("c")), "A") << "the run went on";
}

// Each undo goes on to the run before; what an earlier undo left is tried
// again first, and never keeps the older runs from being undone.
TEST(Undo, ALeftoverNeverBlocksOlderRuns)
{
    TemporaryFolder root;
    ASSERT_TRUE(root.valid());
    const std::string journal = root.file("Undo/");
    writeFile(root.file("one"), "1");
    writeFile(root.file("two"), "2");
    recordRun(journal, {{root.file("one"), root.file("one_moved")}});
    recordRun(journal, {{root.file("two"), root.file("two_moved")}});
    writeFile(root.file("two"), "in the way");

    EXPECT_EQ(undoLastRun(journal).returned, 0);
    EXPECT_EQ(planUndo(journal).files, 2) << "the older run, and the leftover again";
    const UndoResult older = undoLastRun(journal);
    EXPECT_EQ(older.returned, 1);
    EXPECT_EQ(older.notReturned.size(), 1u);
    EXPECT_EQ(readFile(root.file("one")), "1");

    fs::remove(root.file("two"));
    EXPECT_EQ(undoLastRun(journal).returned, 1);
    EXPECT_EQ(readFile(root.file("two")), "2");
    EXPECT_FALSE(undoAvailable(journal));
}
