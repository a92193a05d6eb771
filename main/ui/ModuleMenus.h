#pragma once

#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ActionMenuTree.h"
#include "main/core/modulehost/ModuleCommand.h"
#include "main/core/modulehost/ModuleRegistry.h"

#include <QMetaType>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace brenmark {

// What every module menu item keeps (in QAction::data()): the link from the
// item to its module.
struct ModuleMenuItemData
{
    void *module = nullptr; // Tag: library handle
    std::string fileName;   // Hint: library file name (add-action items; also the statusTip, decoded)
    int buttonNumber = -1;  // command items: the button's number within its own module
};

// The item's data; an empty record (null module) for any other action.
ModuleMenuItemData moduleItemData(const QAction *item);

// Called with the add-action item the user picked (the chain's f1Click).
using AddActionHandler = std::function<void(QAction *item)>;
// Gets a failure of a module command; without one the error propagates to
// the application's general handler.
using ModuleErrorHandler = std::function<void(const std::exception &error)>;

// Appends the tree's items to `menu` (pmAddAction, or the "Добавить" submenu
// N2 of pmActions): categories as submenus with image 0, actions with their
// images from `imlAddMenu`, each action's click calling `onAddAction`.
void fillAddActionMenu(QMenu *menu, const ActionMenuTree &tree, const ImageList &imlAddMenu,
                       const AddActionHandler &onAddAction);

// Appends the command items and separators to pmModules; a click runs
// runModuleCommand for the item's module and button number (ModulesClick).
void fillModulesMenu(QMenu *pmModules, const std::vector<ModuleCommand> &commands, const ImageList &imlModules,
                     const ModuleErrorHandler &onError = {});

// The controls of the main window that show the loaded modules.
struct ModuleMenuTargets
{
    QMenu *pmAddAction = nullptr; // emptied first, then filled
    QMenu *addSubmenu = nullptr;  // "Добавить" (N2), the first item of pmActions
    QMenu *pmModules = nullptr;
    QWidget *sbModules = nullptr; // enabled when any module has a command; otherwise left as it is
};

// Everything LoadModules gives the main window, in one go: both add-action
// menus, the command menu and the state of the "Модули" button. Null targets
// are left out.
void showLoadedModules(const ModuleRegistry &registry, const ModuleMenuTargets &targets,
                       const ImageList &imlAddMenu, const ImageList &imlModules,
                       const AddActionHandler &onAddAction, const ModuleErrorHandler &onError = {});

// Handler of sbModules: pops pmModules up at the button's bottom-left corner.
void sbModulesClick(QWidget *sbModules, QMenu *pmModules);

} // namespace brenmark

Q_DECLARE_METATYPE(brenmark::ModuleMenuItemData)
