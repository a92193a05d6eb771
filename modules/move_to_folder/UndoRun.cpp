#include "modules/move_to_folder/UndoRun.h"

#include "module_helper/FileName.h"
#include "modules/move_to_folder/FileMover.h"

#include <algorithm>
#include <stdexcept>

namespace brenmark::movetofolder {

UndoReport undoLastRun(RunJournal &journal)
{
    UndoReport report;
    const auto runs = journal.runs();
    if (runs.empty())
        return report;
    report.hadRun = true;
    const auto &moves = runs.back();
    std::vector<JournalMove> remaining;
    for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
        try {
            const std::string folder(sdk::splitPath(move->from).folder);
            if (!folder.empty())
                createFolders(folder);
            moveFile(move->to, move->from);
            ++report.restored;
        } catch (const std::exception &error) {
            report.failures.emplace_back(error.what());
            remaining.push_back(*move);
        }
    }
    std::reverse(remaining.begin(), remaining.end());
    journal.replaceLastRun(remaining);
    return report;
}

} // namespace brenmark::movetofolder
