#include "main/core/batch/ChainFileCount.h"

#include "main/core/chain/ActionChainModel.h"
#include "main/core/modulehost/ModuleFileCount.h"

#include <algorithm>
#include <vector>

namespace brenmark {

bool tellChainFileCount(const ActionChainModel &actions, int count)
{
    // A module standing twice in the chain is told once.
    std::vector<void *> told;
    bool taken = false;
    for (int row = 0; row < actions.count(); ++row) {
        void *module = actions.record(row).Module;
        if (!actions.isChecked(row) || !module || std::find(told.begin(), told.end(), module) != told.end())
            continue;
        told.push_back(module);
        taken = tellFileCount(module, count) || taken;
    }
    return taken;
}

bool chainTakesFileCount(const ActionChainModel &actions)
{
    for (int row = 0; row < actions.count(); ++row) {
        if (actions.isChecked(row) && takesFileCount(actions.record(row).Module))
            return true;
    }
    return false;
}

} // namespace brenmark
