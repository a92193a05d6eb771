#include "main/core/templates/TemplateChain.h"

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/chain/ActionChainModel.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"
#include "main/core/templates/TemplateFormat.h"
#include "main/core/templates/TemplateTexts.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace brenmark {

namespace {

// The module's optSize as it reports it now.
std::int32_t currentOptionsSize(void *module, const std::string &moduleFile)
{
    const auto getInfo = moduleFunction<BrenmarkGetInfo>(module, "getInfo");
    if (!getInfo)
        throw ModuleCallError("Модуль " + moduleFile + " не сообщает своих сведений (нет getInfo)");
    ModuleInfo info{};
    guardModuleCall(module, [&] { getInfo(&info); });
    if (info.optSize < 0)
        throw ModuleCallError("Модуль " + moduleFile + " сообщает отрицательный размер настроек ("
                              + std::to_string(info.optSize) + ")");
    return info.optSize;
}

// Copies module memory under the call guard: a block smaller than the module
// claims is the module's fault and must not take the host down.
void copyGuarded(void *to, const void *from, std::size_t size)
{
    if (size > 0)
        guardModuleCall([&] { std::memcpy(to, from, size); });
}

// Raises ChainUpdating and puts it back however the load ends.
class ChainUpdatingScope
{
public:
    explicit ChainUpdatingScope(ActionChainModel &chain) : m_chain(chain), m_before(chain.ChainUpdating())
    {
        m_chain.setChainUpdating(true);
    }
    ~ChainUpdatingScope() { m_chain.setChainUpdating(m_before); }
    ChainUpdatingScope(const ChainUpdatingScope &) = delete;
    ChainUpdatingScope &operator=(const ChainUpdatingScope &) = delete;

private:
    ActionChainModel &m_chain;
    bool m_before;
};

std::unique_ptr<TListData> buildRecord(const TemplateAction &action, void *module)
{
    auto record = std::make_unique<TListData>();
    record->Module = module;
    record->ModuleFile = action.moduleFile;
    const std::size_t stored = action.options.size();
    const auto present = static_cast<std::size_t>(currentOptionsSize(module, action.moduleFile));

    if (const auto newOpt = moduleFunction<BrenmarkNewOpt>(module, "newOpt")) {
        guardModuleCall(module, [&] { newOpt(&record->Options); });
        if (record->Options) {
            copyGuarded(record->Options, action.options.data(), std::min(stored, present));
            return record;
        }
    }
    // Large enough for what was stored and for what the module reads now.
    record->Options = allocateHostOptions(std::max(stored, present));
    record->HostAllocatedOptions = true;
    std::memcpy(record->Options, action.options.data(), stored);
    return record;
}

} // namespace

QString TemplateLoadResult::missingModulesMessage() const
{
    return missingModulesHeading + missingModuleText;
}

void SaveTemplate(const ActionChainModel &chain, const QString &path)
{
    if (chain.count() == 0)
        return;
    std::vector<TemplateAction> actions;
    actions.reserve(static_cast<std::size_t>(chain.count()));
    for (int row = 0; row < chain.count(); ++row) {
        const TListData &record = chain.record(row);
        TemplateAction action;
        action.moduleFile = record.ModuleFile;
        action.caption = chain.caption(row);
        action.options.resize(static_cast<std::size_t>(currentOptionsSize(record.Module, record.ModuleFile)));
        if (!action.options.empty() && !record.Options)
            throw ModuleCallError("У действия «" + action.caption + "» модуля " + record.ModuleFile
                                  + " нет блока настроек");
        copyGuarded(action.options.data(), record.Options, action.options.size());
        actions.push_back(std::move(action));
    }
    TemplateFormat::writeFile(path, actions);
}

TemplateLoadResult LoadTemplate(ActionChainModel &chain, const QString &path, const ActionItemFinder &find,
                                const std::function<void(const QString &message)> &reportMissing)
{
    const std::vector<TemplateAction> actions = TemplateFormat::readFile(path);

    TemplateLoadResult result;
    std::string missingText = "\n";
    bool rowsReplaced = false;
    try {
        ChainUpdatingScope updating(chain);
        chain.discardAll();
        rowsReplaced = true;
        for (const TemplateAction &action : actions) {
            const ActionItemLookup lookup = find(action.moduleFile);
            if (!lookup.module) {
                result.missing = true;
                if (missingText.find(action.moduleFile) == std::string::npos)
                    missingText += action.moduleFile + "\n";
                continue;
            }
            chain.appendAction(action.caption, lookup.imageIndex, true, buildRecord(action, lookup.module));
        }
        result.missingModuleText = QString::fromUtf8(missingText.data(), static_cast<qsizetype>(missingText.size()));
        if (result.missing && reportMissing)
            reportMissing(result.missingModulesMessage());
    } catch (...) {
        // A module failing part way leaves the rows before it; they need new names too.
        if (rowsReplaced)
            chain.requestPreviewRebuild();
        throw;
    }
    chain.requestPreviewRebuild();
    return result;
}

} // namespace brenmark
