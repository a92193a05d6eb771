// The context menus made at design: captions, shortcuts, tags (QAction::data) and
// image indices (into imlAddMenu) of pmFiles and pmActions, and their enabling.
#include "main/ui/TForm1.h"

#include "main/core/batch/BatchRunner.h"
#include "main/core/filelist/RowSelection.h"
#include "main/ui/MenuLookStyle.h"

#include <QListView>
#include <QMenu>
#include <QPushButton>

namespace brenmark {

namespace {

const char kImageIndexProperty[] = "imageIndex";

struct MenuItemDesign
{
    const char *name;
    const char *caption;
    int tag;
    int image; // -1: none
    QKeySequence shortcut = {};
};

QAction *addItem(QMenu *menu, const MenuItemDesign &design, const ImageList &images)
{
    auto *item = new QAction(QString::fromUtf8(design.caption), menu);
    item->setObjectName(QString::fromLatin1(design.name));
    item->setData(design.tag);
    item->setProperty(kImageIndexProperty, design.image);
    if (design.image >= 0)
        item->setIcon(images.icon(design.image));
    if (!design.shortcut.isEmpty()) {
        item->setShortcut(design.shortcut);
        item->setShortcutContext(Qt::WidgetShortcut);
    }
    menu->addAction(item);
    return item;
}

QAction *addSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

// A submenu item: the submenu's own action carries the item's name, tag and image.
QAction *addSubmenu(QMenu *menu, const MenuItemDesign &design, const ImageList &images)
{
    auto *submenu = new QMenu(QString::fromUtf8(design.caption), menu);
    submenu->setObjectName(QString::fromLatin1(design.name) + QStringLiteral("Menu"));
    QAction *item = submenu->menuAction();
    item->setObjectName(QString::fromLatin1(design.name));
    item->setData(design.tag);
    item->setProperty(kImageIndexProperty, design.image);
    if (design.image >= 0)
        item->setIcon(images.icon(design.image));
    menu->addMenu(submenu);
    return item;
}

} // namespace

void TForm1::buildMenus()
{
    pmFiles = new QMenu(this);
    pmFiles->setObjectName(QStringLiteral("pmFiles"));
    MenuLookStyle::setMenuLook(pmFiles, MenuLook::Action);
    N1 = addItem(pmFiles, {"N1", "Убрать выделенные (Del)", 0, 2}, imlAddMenu);
    N13 = addItem(pmFiles, {"N13", "Очистить", 0, 3, QKeySequence(Qt::CTRL | Qt::Key_N)}, imlAddMenu);
    N12 = addSeparator(pmFiles, "N12");
    N14 = addSubmenu(pmFiles, {"N14", "Выделить те, у которых", 0, 4}, imlAddMenu);
    N15 = addItem(N14->menu(), {"N15", "Название не изменится", 0, -1}, imlAddMenu);
    N16 = addItem(N14->menu(), {"N16", "Расположение не изменится", 1, -1}, imlAddMenu);
    N17 = addItem(N14->menu(), {"N17", "Ничего не изменится", 2, -1}, imlAddMenu);
    N26 = addSubmenu(pmFiles, {"N26", "Фильтр", 0, 15}, imlAddMenu);
    N27 = addItem(N26->menu(), {"N27", "Добавить к выделению ( + )", 0, 13}, imlAddMenu);
    N28 = addItem(N26->menu(), {"N28", "Удалить из выделения ( - )", 1, 14}, imlAddMenu);
    N18 = addItem(pmFiles, {"N18", "Инвертировать", 0, 6, QKeySequence(Qt::CTRL | Qt::Key_I)}, imlAddMenu);
    N19 = addItem(pmFiles, {"N19", "Выделить все", 0, -1, QKeySequence(Qt::CTRL | Qt::Key_A)}, imlAddMenu);
    N20 = addSeparator(pmFiles, "N20");
    N23 = addSubmenu(pmFiles, {"N23", "Инструменты", 0, 16}, imlAddMenu);
    N21 = addItem(N23->menu(), {"N21", "Переименовать исходный файл", 0, 17}, imlAddMenu);
    N25 = addItem(N23->menu(), {"N25", "Запустить", 0, 12}, imlAddMenu);
    N29 = addItem(N23->menu(), {"N29", "Отменить последний запуск", 0, -1}, imlAddMenu);
    N22 = addItem(pmFiles, {"N22", "Информация", 0, 11}, imlAddMenu);
    buildFileListAdditions();
    // The shortcuts act while the list has the keyboard focus, also with the menu closed.
    lbFiles->addActions({N13, N18, N19});

    pmActions = new QMenu(this);
    pmActions->setObjectName(QStringLiteral("pmActions"));
    MenuLookStyle::setMenuLook(pmActions, MenuLook::Action);
    N2 = addSubmenu(pmActions, {"N2", "Добавить", 0, 9}, imlAddMenu);
    N3 = addItem(pmActions, {"N3", "Удалить", 0, 10}, imlAddMenu);
    N6 = addItem(pmActions, {"N6", "Свойства..", 0, 7}, imlAddMenu);
    N4 = addSeparator(pmActions, "N4");
    N5 = addItem(pmActions, {"N5", "Очистить", 0, 3}, imlAddMenu);
    N7 = addSubmenu(pmActions, {"N7", "Вкл/Выкл", 0, 8}, imlAddMenu);
    N8 = addItem(N7->menu(), {"N8", "Выключить все", 0, 3}, imlAddMenu);
    N9 = addItem(N7->menu(), {"N9", "Включить все", 1, 5}, imlAddMenu);
    N10 = addItem(N7->menu(), {"N10", "Включить ТОЛЬКО этот", 2, -1}, imlAddMenu);
    N11 = addItem(N7->menu(), {"N11", "Выключить ТОЛЬКО этот", 3, -1}, imlAddMenu);

    pmAddAction = new QMenu(this);
    pmAddAction->setObjectName(QStringLiteral("pmAddAction"));
    MenuLookStyle::setMenuLook(pmAddAction, MenuLook::Action);

    pmModules = new QMenu(this);
    pmModules->setObjectName(QStringLiteral("pmModules"));
    MenuLookStyle::setMenuLook(pmModules, MenuLook::Command);
    MenuLookStyle::setReferenceButton(pmModules, sbModules);
}

void TForm1::pmFilesPopup()
{
    const QItemSelectionModel *selection = lbFiles->selectionModel();
    // Counted by ranges: a million selected rows cost no index list.
    const int selected = selection ? selectedRowCount(selection->selection()) : 0;
    const int rows = lbFiles->model() ? lbFiles->model()->rowCount() : 0;
    const bool hasCurrent = selection && selection->currentIndex().isValid();
    N1->setEnabled(selected != 0);
    // The undo needs no row (after a complete run the list is empty), so the
    // submenu opens for it too; the file tools act on the current row, if any.
    const bool undo = canUndo();
    N23->setEnabled(selected == 1 || undo);
    N22->setEnabled(selected == 1);
    for (QAction *item : {N13, N26, N14, N18, N19})
        item->setEnabled(rows != 0);
    N21->setEnabled(hasCurrent);
    mmSort->setEnabled(rows > 1 && !runner().isRunning());
    N29->setEnabled(undo);
}

} // namespace brenmark
