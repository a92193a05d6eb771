#pragma once

#include <QString>
#include <QStringList>

#include <string>

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
    // Appends the files named by the command-line list file at `path` by the
    // file list's add rule, without new names yet (FileListModel::appendListFile).
    // Throws when the file cannot be opened or read.
    virtual void appendListFile(const std::string &path) = 0;
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

// FormShow: runs every step in order. cbExitOnFinal is checked exactly when
// `firstArgument` (the command line's first argument) is not empty, also when
// its list cannot be read. When the templates folder cannot be created or the
// list file read, the error goes up and the steps after it are not run (no
// modules, no chain); the window shows it and stays open. Errors of the
// other steps go up the same way. A restore that fails selects the empty
// entry and rebuilds the preview before its error goes up.
void runStartSequence(StartSequenceHost &host, const QString &programDir, const std::string &firstArgument);

} // namespace brenmark
