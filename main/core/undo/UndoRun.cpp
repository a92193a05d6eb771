#include "main/core/undo/UndoRun.h"

#include "main/core/undo/FileIdentity.h"
#include "main/core/undo/UndoJournal.h"
#include "module_helper/FileMove.h"
#include "module_helper/ModuleError.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace brenmark {
namespace {

// The runs an undo goes over: from the newest run not undone yet to the
// newest run, or every run when all were undone before (what is left).
std::size_t firstRunToUndo(const std::vector<JournalRun> &runs)
{
    for (std::size_t i = runs.size(); i-- > 0;)
        if (!runs[i].undoTried && !runs[i].empty())
            return i;
    return 0;
}

std::string quoted(const std::string &path)
{
    return "«" + path + "»";
}

enum class Check { Ready, Gone, Waiting };

// Whether the file can go back now; `problem` says why not.
Check checkMove(const JournalMove &move, std::string &problem)
{
    FileIdentity now;
    if (!readIdentity(move.to, now)) {
        if (errno == ENOENT || errno == ENOTDIR) {
            problem = quoted(move.to) + " не найден: файл не возвращён в " + quoted(move.from) + ".";
            return Check::Gone;
        }
        problem = quoted(move.to) + ": " + std::strerror(errno) + ": файл не возвращён.";
        return Check::Waiting;
    }
    if (now.isFolder()) {
        problem = "На месте " + quoted(move.to) + " теперь папка: она не тронута, " + quoted(move.from) + " не возвращён.";
        return Check::Gone;
    }
    if (!now.sameAs(move.identity)) {
        problem = quoted(move.to) + " теперь другой файл с тем же именем: он не тронут, " + quoted(move.from)
                + " не возвращён.";
        return Check::Gone;
    }
    FileIdentity old;
    if (readIdentity(move.from, old)) {
        problem = "Место " + quoted(move.from) + " занято: " + quoted(move.to) + " оставлен, где он есть.";
        return Check::Waiting;
    }
    if (errno != ENOENT) {
        problem = quoted(move.from) + ": " + std::strerror(errno) + ": " + quoted(move.to) + " не возвращён.";
        return Check::Waiting;
    }
    return Check::Ready;
}

std::size_t depth(const std::string &path)
{
    return std::size_t(std::count(path.begin(), path.end(), '/'));
}

// Removes the run's folders that are empty again, innermost first. Those
// that are gone or are no longer the folders the run made are forgotten;
// one that still holds something stays recorded while files of the run are
// still to come back (they may empty it), and is forgotten otherwise.
void removeFolders(JournalRun &run, UndoResult &result)
{
    std::stable_sort(run.folders.begin(), run.folders.end(),
                     [](const JournalFolder &a, const JournalFolder &b) { return depth(a.path) > depth(b.path); });
    std::vector<JournalFolder> kept;
    for (JournalFolder &folder : run.folders) {
        FileIdentity now;
        if (!readIdentity(folder.path, now) || !now.isFolder() || !now.sameAs(folder.identity))
            continue;
        if (::rmdir(folder.path.c_str()) == 0) {
            ++result.foldersRemoved;
            continue;
        }
        if (run.moves.empty())
            result.foldersKept.push_back(folder.path);
        else
            kept.push_back(std::move(folder));
    }
    run.folders = std::move(kept);
}

} // namespace

bool undoAvailable(const std::string &journalPath)
{
    try {
        return !journalRunFiles(journalPath).empty();
    } catch (const JournalError &) {
        return true; // the undo then shows why it cannot read it
    }
}

UndoPlan planUndo(const std::string &journalPath)
{
    const JournalContents contents = readJournal(journalPath);
    UndoPlan plan;
    for (std::size_t i = firstRunToUndo(contents.runs); i < contents.runs.size(); ++i) {
        plan.files += int(contents.runs[i].moves.size());
        plan.folders += int(contents.runs[i].folders.size());
    }
    return plan;
}

UndoResult undoLastRun(const std::string &journalPath, bool dryRun, const std::function<void(const UndoStep &)> &listener)
{
    JournalContents contents = readJournal(journalPath);
    std::vector<JournalRun> &runs = contents.runs;
    UndoResult result;
    const std::size_t first = firstRunToUndo(runs);
    for (std::size_t i = runs.size(); i-- > first;) {
        JournalRun &run = runs[i];
        std::vector<JournalMove> left;
        for (auto move = run.moves.rbegin(); move != run.moves.rend(); ++move) {
            std::string problem;
            Check check = checkMove(*move, problem);
            if (check == Check::Ready && !dryRun) {
                try {
                    sdk::moveFile(move->to, move->from);
                } catch (const sdk::ModuleError &error) {
                    problem = error.what();
                    check = Check::Waiting;
                }
            }
            if (listener)
                listener(UndoStep {move->to, move->from, problem});
            if (check == Check::Ready) {
                ++result.returned;
                continue;
            }
            result.notReturned.push_back(problem);
            if (check == Check::Waiting)
                left.push_back(std::move(*move));
        }
        std::reverse(left.begin(), left.end());
        run.moves = std::move(left);
        run.undoTried = true;
        if (!dryRun)
            removeFolders(run, result);
    }
    if (!dryRun) {
        for (std::size_t i = first; i < runs.size(); ++i) {
            if (const int error = writeJournalRun(journalPath, runs[i]); error != 0 && result.journalProblem.empty())
                result.journalProblem = "Журнал отмены " + quoted(journalPath + runs[i].file) + " не обновлён: "
                    + std::strerror(error) + ". Возвращённые файлы при следующей отмене будут названы ненайденными.";
        }
    }
    return result;
}

} // namespace brenmark
