#include "main/core/shell/ChainAutosave.h"

#include "main/core/modulehost/ProgramPaths.h"
#include "main/core/templates/TemplateList.h"
#include "options/core/SettingsFile.h"

#include <exception>

namespace brenmark {

namespace {

void recordTemplateName(const QString &programDir, const QString &name)
{
    try {
        writeTemplateName(optionsIniPath(programDir), name);
    } catch (const std::exception &) {
        // The program is ending and the user can do nothing about it: the chain
        // itself is saved, only the next start will not restore it.
    }
}

} // namespace

std::optional<TemplateRestore> templateToRestore(bool autosave, const QString &programDir,
                                                 const QStringList &templateEntries)
{
    if (!autosave)
        return std::nullopt;
    const QString name = readTemplateName(optionsIniPath(programDir));
    if (!templateNameProblem(name).isEmpty())
        return std::nullopt;
    const QString path = templatePath(programDir, name);
    if (!isRegularFile(path))
        return std::nullopt;
    return TemplateRestore{path, findTemplateEntry(templateEntries, name)};
}

void autosaveChain(const ShutdownChainState &state, const QString &programDir,
                   const std::function<void(const QString &path)> &saveTemplate)
{
    if (!state.autosave || state.chainRows <= 0)
        return;
    // No selection with rows in the chain means a chain not known to match
    // any saved template; recording "" would lose it at the next start.
    if (state.selectedEntry <= 0) {
        saveTemplate(templatePath(programDir, autosaveTemplateName));
        recordTemplateName(programDir, autosaveTemplateName);
    } else {
        recordTemplateName(programDir, state.selectedText);
    }
}

} // namespace brenmark
