#include "main/ui/ModuleMenus.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QWidget>

namespace brenmark {
namespace {

void addItems(QMenu *menu, const std::vector<ActionMenuItem> &items, const ImageList &imlAddMenu,
              const AddActionHandler &onAddAction)
{
    for (const ActionMenuItem &item : items) {
        if (item.isCategory) {
            QMenu *submenu = menu->addMenu(imlAddMenu.icon(item.imageIndex), item.caption);
            addItems(submenu, item.children, imlAddMenu, onAddAction);
            continue;
        }
        QAction *action = menu->addAction(imlAddMenu.icon(item.imageIndex), item.caption);
        action->setData(QVariant::fromValue(ModuleMenuItemData {item.module, item.fileName, -1}));
        action->setStatusTip(QFile::decodeName(QByteArray::fromStdString(item.fileName)));
        QObject::connect(action, &QAction::triggered, action, [action, onAddAction] {
            if (onAddAction)
                onAddAction(action);
        });
    }
}

} // namespace

ModuleMenuItemData moduleItemData(const QAction *item)
{
    if (!item || !item->data().canConvert<ModuleMenuItemData>())
        return {};
    return item->data().value<ModuleMenuItemData>();
}

void fillAddActionMenu(QMenu *menu, const ActionMenuTree &tree, const ImageList &imlAddMenu,
                       const AddActionHandler &onAddAction)
{
    addItems(menu, tree.items(), imlAddMenu, onAddAction);
}

void fillModulesMenu(QMenu *pmModules, const std::vector<ModuleCommand> &commands, const ImageList &imlModules,
                     const ModuleErrorHandler &onError)
{
    // Every separator the registry makes is shown, also two in a row or one at the end
    // (a module that exports buttons but has none), which Qt would hide.
    pmModules->setSeparatorsCollapsible(false);
    for (const ModuleCommand &command : commands) {
        if (command.isSeparator) {
            pmModules->addSeparator();
            continue;
        }
        QAction *action = pmModules->addAction(imlModules.icon(command.imageIndex), command.caption);
        action->setData(QVariant::fromValue(ModuleMenuItemData {command.module, {}, command.buttonNumber}));
        QObject::connect(action, &QAction::triggered, action, [action, onError] {
            const ModuleMenuItemData data = moduleItemData(action);
            if (!onError) {
                runModuleCommand(data.module, data.buttonNumber);
                return;
            }
            try {
                runModuleCommand(data.module, data.buttonNumber);
            } catch (const std::exception &error) {
                onError(error);
            }
        });
    }
}

void showLoadedModules(const ModuleRegistry &registry, const ModuleMenuTargets &targets,
                       const ImageList &imlAddMenu, const ImageList &imlModules,
                       const AddActionHandler &onAddAction, const ModuleErrorHandler &onError)
{
    if (targets.pmAddAction) {
        targets.pmAddAction->clear();
        fillAddActionMenu(targets.pmAddAction, registry.actionMenu(), imlAddMenu, onAddAction);
    }
    if (targets.addSubmenu)
        fillAddActionMenu(targets.addSubmenu, registry.actionMenu(), imlAddMenu, onAddAction);
    if (targets.pmModules)
        fillModulesMenu(targets.pmModules, registry.moduleCommands(), imlModules, onError);
    if (targets.sbModules && registry.modulesButtonEnabled())
        targets.sbModules->setEnabled(true);
}

void sbModulesClick(QWidget *sbModules, QMenu *pmModules)
{
    pmModules->popup(sbModules->mapToGlobal(QPoint(0, sbModules->height())));
}

} // namespace brenmark
