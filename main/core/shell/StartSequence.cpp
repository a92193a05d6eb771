#include "main/core/shell/StartSequence.h"

#include "main/core/shell/ChainAutosave.h"
#include "main/core/shell/StartupFiles.h"

namespace brenmark {

void runStartSequence(StartSequenceHost &host, const QString &programDir, const std::string &firstArgument)
{
    host.setButtonImages();
    host.loadSettings();
    ensureTemplatesDirectory(programDir);
    host.createFileIconList();
    host.computeSelectionTint();

    host.setExitOnFinal(!firstArgument.empty());
    if (!firstArgument.empty())
        host.appendListFile(firstArgument);

    host.updateFileCount();
    host.loadModules();
    const QStringList entries = host.fillTemplateList();

    const auto restore = templateToRestore(host.autosaveEnabled(), programDir, entries);
    if (!restore) {
        host.rebuildPreview();
        return;
    }
    host.selectTemplateEntry(restore->entryIndex);
    try {
        host.loadTemplate(restore->path);
    } catch (...) {
        // Whatever the chain holds now is not that template: mark it unsaved,
        // so that shut-down does not record the name that failed; and the
        // rows still need their new names.
        host.selectTemplateEntry(0);
        host.rebuildPreview();
        throw;
    }
}

} // namespace brenmark
