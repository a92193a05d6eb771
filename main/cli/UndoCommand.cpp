#include "main/cli/UndoCommand.h"

#include "main/cli/PathQuoting.h"
#include "main/core/undo/UndoJournal.h"
#include "main/core/undo/UndoRun.h"

#include <cstdio>

namespace brenmark {
namespace {

void printError(const std::string &text)
{
    std::fprintf(stderr, "brenmark-batch: %s\n", text.c_str());
}

} // namespace

ExitCode runUndo(const std::string &journalPath, bool dryRun)
{
    UndoPlan plan;
    try {
        plan = planUndo(journalPath);
    } catch (const JournalError &error) {
        printError(error.what());
        return ExitCode::UsageError;
    }
    if (plan.empty()) {
        printError("отменять нечего: в журнале " + quotePath(journalPath) + " нет запусков");
        return ExitCode::Done;
    }

    std::string lines;
    auto list = [&lines, dryRun](const UndoStep &step) {
        if (!dryRun || !step.problem.empty())
            return;
        appendQuotedPath(lines, step.current);
        lines.push_back('\t');
        appendQuotedPath(lines, step.original);
        lines.push_back('\n');
    };
    UndoResult result;
    try {
        result = undoLastRun(journalPath, dryRun, list);
    } catch (const JournalError &error) {
        printError(error.what());
        return ExitCode::UsageError;
    }
    if (std::fwrite(lines.data(), 1, lines.size(), stdout) != lines.size() || std::fflush(stdout) != 0) {
        printError("список не выведен");
        return ExitCode::UsageError;
    }
    for (const std::string &problem : result.notReturned)
        printError(problem);
    for (const std::string &folder : result.foldersKept)
        printError("папка " + quotePath(folder) + " не пуста и оставлена");
    const int total = result.returned + int(result.notReturned.size());
    printError(std::string(dryRun ? "будет возвращено файлов: " : "возвращено файлов: ") + std::to_string(result.returned)
               + " из " + std::to_string(total));
    if (!result.journalProblem.empty())
        printError(result.journalProblem);
    return result.allReturned() ? ExitCode::Done : ExitCode::NotAllReturned;
}

} // namespace brenmark
