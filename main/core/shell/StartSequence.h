#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace brenmark {

// The steps of the main window's first show that belong to the window and
// the parts it owns. The sequence calls them in its fixed order.
class StartSequenceHost
{
public:
    virtual ~StartSequenceHost() = default;

    virtual void setButtonImages() = 0;
    // LoadSettings into the options dialog; fills DisabledModuleList.
    virtual void loadSettings() = 0;
    virtual void createFileIconList() = 0;
    virtual void computeSelectionTint() = 0;
    // cbExitOnFinal.
    virtual void setExitOnFinal(bool checked) = 0;
    // The lines of the command-line list, handed to the file list's add rule
    // (existing files only, no new names computed yet).
    virtual void addListedFiles(const std::vector<std::string> &lines) = 0;
    virtual void updateFileCount() = 0;
    virtual void loadModules() = 0;
    // Fills cbProfile (FillTemplateList) and gives its entries.
    virtual QStringList fillTemplateList() = 0;
    // chb_main_autosave as loaded.
    virtual bool autosaveEnabled() const = 0;
    // Selects entry `index` of cbProfile from program code (-1: none); loads nothing.
    virtual void selectTemplateEntry(int index) = 0;
    // LoadTemplate: replaces the chain and rebuilds the preview.
    virtual void loadTemplate(const QString &path) = 0;
    virtual void rebuildPreview() = 0;
};

// FormShow: runs every step in order. The templates folder is created and
// the list file named by `firstArgument` read here; when either fails the
// StartupError goes up and the steps after it are not run (no modules, no
// chain), and the window stays open. Errors of the host's steps go up the same.
void runStartSequence(StartSequenceHost &host, const QString &programDir, const std::string &firstArgument);

} // namespace brenmark
