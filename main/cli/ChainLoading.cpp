#include "main/cli/ChainLoading.h"

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleRegistry.h"
#include "main/core/templates/TemplateFormat.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace brenmark {

std::vector<std::string> loadChain(const std::string &templateFile, const ModuleRegistry &registry,
                                   ActionChainModel &chain)
{
    const std::vector<TemplateAction> actions =
        TemplateFormat::readFile(QFile::decodeName(QByteArray::fromStdString(templateFile)));
    chain.setChainUpdating(true);
    chain.discardAll();
    std::vector<std::string> missing;
    for (const TemplateAction &action : actions) {
        const ActionItemLookup item = registry.FindActionItem(action.moduleFile);
        if (!item.module) {
            if (std::find(missing.begin(), missing.end(), action.moduleFile) == missing.end())
                missing.push_back(action.moduleFile);
            continue;
        }
        auto record = std::make_unique<TListData>();
        record->Module = item.module;
        record->ModuleFile = action.moduleFile;
        size_t blockSize = action.options.size();
        if (auto newOpt = moduleFunction<BrenmarkNewOpt>(item.module, "newOpt")) {
            guardModuleCall([&] { newOpt(&record->Options); });
            ModuleInfo info {};
            if (auto getInfo = moduleFunction<BrenmarkGetInfo>(item.module, "getInfo"))
                guardModuleCall([&] { getInfo(&info); });
            blockSize = std::min(blockSize, size_t(std::max(info.optSize, 0)));
        } else {
            record->Options = allocateHostOptions(blockSize);
            record->HostAllocatedOptions = true;
        }
        if (record->Options && blockSize > 0)
            std::memcpy(record->Options, action.options.data(), blockSize);
        chain.appendAction(action.caption, item.imageIndex, true, std::move(record));
    }
    chain.setChainUpdating(false);
    return missing;
}

} // namespace brenmark
