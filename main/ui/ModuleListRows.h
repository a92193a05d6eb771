#pragma once

#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleRows.h"

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace brenmark {

// Columns of lvModules. The first four are visible; the others (hidden)
// feed the options dialog's information fields. Button captions follow
// from FirstButton on, one column per button (up to 10).
enum class ModuleListColumn : int {
    Module = 0, // "Модуль": library file name, check mark = enabled
    Name,       // "Имя"
    Version,    // "Версия"
    Running,    // "Запущен": "Да" / "Нет"
    Author,
    Action,
    Mask,
    FirstButton,
};
constexpr int kModuleListColumnCount = static_cast<int>(ModuleListColumn::FirstButton) + 10;

// Columns of lvAbout: "Файл", "Имя", "Версия", "Автор", "Маска".
enum class AboutListColumn : int { File = 0, Name, Version, Author, Mask };

// Item data role holding the row's library file name as bytes (QByteArray),
// the exact key options.ini keeps; the visible text is its decoding.
constexpr int kModuleFileNameRole = 0x0100 + 1; // Qt::UserRole + 1
// Item data role of column Module holding the number of button columns in use (int).
constexpr int kModuleButtonCountRole = 0x0100 + 2;

// The columns of `lvModules`: count, header texts, the hidden ones.
void setModuleListColumns(QTreeWidget *lvModules);
// The columns of `lvAbout`: count and header texts.
void setAboutListColumns(QTreeWidget *lvAbout);

// Replaces the content of `lvModules` with `rows` (columns as
// setModuleListColumns, check marks, images from `imlAddMenu`).
void fillModuleList(QTreeWidget *lvModules, const std::vector<ModuleListRow> &rows, const ImageList &imlAddMenu);

// Replaces the content of `lvAbout` with `rows`.
void fillAboutList(QTreeWidget *lvAbout, const std::vector<AboutRow> &rows, const ImageList &imlAddMenu);

// The button captions of an lvModules row in button order (empty captions included).
QStringList moduleRowButtonCaptions(const QTreeWidgetItem *item);

} // namespace brenmark
