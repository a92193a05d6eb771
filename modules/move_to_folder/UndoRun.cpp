#include "modules/move_to_folder/UndoRun.h"

#include "module_helper/FileName.h"
#include "modules/move_to_folder/FileMover.h"

#include <unistd.h>

#include <algorithm>
#include <exception>

namespace brenmark::movetofolder {

UndoReport undoLastRun(RunJournal &journal)
{
    UndoReport report;
    const auto runs = journal.runs();
    if (runs.empty())
        return report;
    report.hadRun = true;
    const JournalRun &run = runs.back();
    JournalRun remaining;
    for (auto move = run.moves.rbegin(); move != run.moves.rend(); ++move) {
        try {
            const std::string folder(sdk::splitPath(move->from).folder);
            if (!folder.empty())
                createFolders(folder);
            moveFile(move->to, move->from);
            ++report.restored;
        } catch (const std::exception &error) {
            report.failures.emplace_back(error.what());
            remaining.moves.push_back(*move);
        }
    }
    std::reverse(remaining.moves.begin(), remaining.moves.end());
    // Folders the run made go too, innermost first, as far as they are empty
    // again; one that still holds files stays recorded for another try.
    for (auto folder = run.folders.rbegin(); folder != run.folders.rend(); ++folder) {
        if (::rmdir(folder->c_str()) != 0 && ::access(folder->c_str(), F_OK) == 0)
            remaining.folders.insert(remaining.folders.begin(), *folder);
    }
    journal.replaceLastRun(remaining);
    return report;
}

} // namespace brenmark::movetofolder
