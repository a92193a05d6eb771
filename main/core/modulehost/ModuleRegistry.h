#pragma once

#include "main/core/modulehost/ActionMenuTree.h"
#include "main/core/modulehost/ModuleCommand.h"
#include "main/core/modulehost/ModuleHandleList.h"
#include "main/core/modulehost/ModuleImageSink.h"
#include "main/core/modulehost/ModuleRows.h"

#include <QStringList>

#include <string>
#include <vector>

namespace brenmark {

// What LoadModules reads from the settings and the windows.
struct ModuleLoadSettings
{
    std::string programDir;      // ends in "/"; modules in programDir + "Plugins/", brenmark-probe beside
    QStringList disabledModules; // DisabledModuleList: library file names, letter case ignored
    bool grouping = true;        // chb_view_grouping: categories become submenus
    void *mainWindow = nullptr;  // handed to every module's initialize (the QWidget's address or null)
};

class ImageList;

// The module host: finds, checks and loads the modules and keeps what the
// windows show of them (add-action menus, pmModules, lvModules, lvAbout).
// Headless; the windows turn its data into menus and list rows.
class ModuleRegistry
{
public:
    // Scans settings.programDir + "Plugins/*.so" in the directory's own order
    // and loads the modules. Images go to the end of the given lists (the
    // window's own images stay in front). A module that throws or faults in any
    // call while loading is skipped and unloaded as if it had never been there.
    // A library that would take the process down while it loads (its static
    // initialisers) is found first in settings.programDir + "brenmark-probe",
    // skipped, and named on standard error (probeLibraryLoading).
    // Run once at start; a second run unloads what the first one loaded.
    void LoadModules(const ModuleLoadSettings &settings, ImageList &imlAddMenu, ImageList &imlModules);
    // The same with the images going to `images`; with none (a front end
    // that shows no images) they are neither read nor decoded and every
    // image index is -1. Nothing else about loading changes.
    void LoadModules(const ModuleLoadSettings &settings, ModuleImageSink *images);

    // pmAddAction and the "Добавить" submenu of pmActions.
    const ActionMenuTree &actionMenu() const { return m_actionMenu; }
    ActionItemLookup FindActionItem(const std::string &fileName) const { return m_actionMenu.FindActionItem(fileName); }

    // pmModules, in menu order, separators included.
    const std::vector<ModuleCommand> &moduleCommands() const { return m_commands; }
    // sbModules: enabled when any module returned at least one button.
    bool modulesButtonEnabled() const;

    const std::vector<ModuleListRow> &moduleListRows() const { return m_moduleRows; }
    const std::vector<AboutRow> &aboutRows() const { return m_aboutRows; }

    const ModuleHandleList &moduleHandles() const { return m_handles; }
    // Shut-down: unloads every module in load order. Menus and rows are
    // cleared too, since their handles are no longer valid. False, and
    // nothing changed, while a module call is under way: a module is never
    // unloaded under its own call or its open dialog.
    bool unloadAll();

private:
    struct Scan;
    void loadModule(Scan &scan, const std::string &fileName);
    void clear();

    ModuleHandleList m_handles;
    ActionMenuTree m_actionMenu;
    std::vector<ModuleCommand> m_commands;
    std::vector<ModuleListRow> m_moduleRows;
    std::vector<AboutRow> m_aboutRows;
};

} // namespace brenmark
