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
    host.loadTemplate(restore->path);
}

} // namespace brenmark
