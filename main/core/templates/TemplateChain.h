#pragma once

#include "main/core/modulehost/ActionMenuTree.h"

#include <QString>

#include <functional>
#include <string>

namespace brenmark {

class ActionChainModel;

// From a library file name to its loaded module (ModuleRegistry::FindActionItem).
using ActionItemFinder = std::function<ActionItemLookup(const std::string &moduleFile)>;

// What a template load reports to the window.
struct TemplateLoadResult
{
    // MissingModuleText: a line break, then each missing library's name with
    // a line break after it ("\n" on this platform). Named once; a name found
    // inside the text gathered so far is not added again.
    QString missingModuleText = QStringLiteral("\n");
    bool missing = false;

    // missingModulesHeading followed directly by missingModuleText; shown
    // titled missingModulesTitle with an error icon when `missing`.
    QString missingModulesMessage() const;
};

// Writes every row of `chain` (enabled or not) to `path`: library name,
// caption and the first optSize bytes of its options block, optSize asked of
// the module through getInfo now. Does nothing for an empty chain. The file is
// replaced atomically, so a failed save leaves the previous template whole.
// Throws ModuleCallError when a module fails while asked or read, and
// TemplateFormatError when the file cannot be written.
void SaveTemplate(const ActionChainModel &chain, const QString &path);

// Replaces the chain by the template at `path`. The whole file is read and
// checked first, so a file that cannot be read (TemplateFormatError) leaves
// the chain as it was. Then, with ChainUpdating raised, the rows are dropped
// (no freeOpt), and each stored action whose module `find` knows becomes a
// checked row with the module's image. Its block comes from newOpt, or from
// the host for a module without newOpt; at most the module's present optSize
// stored bytes are copied into a newOpt block. Actions of unknown modules are
// left out and named in the result; `reportMissing`, when given, gets the
// message while ChainUpdating is still raised, before the one preview
// rebuild. A module failing in newOpt or getInfo stops the load with
// ModuleCallError: the rows before it stay, no half-built row is left,
// ChainUpdating is lowered and the preview rebuild is requested.
TemplateLoadResult LoadTemplate(ActionChainModel &chain, const QString &path, const ActionItemFinder &find,
                                const std::function<void(const QString &message)> &reportMissing = {});

} // namespace brenmark
