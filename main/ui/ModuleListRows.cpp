#include "main/ui/ModuleListRows.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace brenmark {
namespace {

constexpr int column(ModuleListColumn c) { return static_cast<int>(c); }

void setRowTexts(QTreeWidgetItem *item, const QString &caption, const QStringList &subItems)
{
    item->setText(0, caption);
    for (int i = 0; i < subItems.size(); ++i)
        item->setText(i + 1, subItems[i]);
}

} // namespace

void setModuleListColumns(QTreeWidget *lvModules)
{
    lvModules->setColumnCount(kModuleListColumnCount);
    lvModules->setHeaderLabels({QStringLiteral("Модуль"), QStringLiteral("Имя"), QStringLiteral("Версия"),
                                QStringLiteral("Запущен")});
    for (int c = column(ModuleListColumn::Author); c < kModuleListColumnCount; ++c)
        lvModules->setColumnHidden(c, true);
}

void setAboutListColumns(QTreeWidget *lvAbout)
{
    lvAbout->setColumnCount(5);
    lvAbout->setHeaderLabels({QStringLiteral("Файл"), QStringLiteral("Имя"), QStringLiteral("Версия"),
                              QStringLiteral("Автор"), QStringLiteral("Маска")});
}

void fillModuleList(QTreeWidget *lvModules, const std::vector<ModuleListRow> &rows, const ImageList &imlAddMenu)
{
    lvModules->clear();
    setModuleListColumns(lvModules);

    for (const ModuleListRow &row : rows) {
        auto *item = new QTreeWidgetItem(lvModules);
        QStringList subItems = row.subItems().mid(0, kModuleListColumnCount - 1);
        setRowTexts(item, row.caption, subItems);
        item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
        item->setIcon(0, imlAddMenu.icon(row.imageIndex));
        item->setData(0, kModuleFileNameRole, QByteArray::fromStdString(row.fileName));
        item->setData(0, kModuleButtonCountRole, static_cast<int>(row.buttonCaptions.size()));
    }
}

void fillAboutList(QTreeWidget *lvAbout, const std::vector<AboutRow> &rows, const ImageList &imlAddMenu)
{
    lvAbout->clear();
    setAboutListColumns(lvAbout);
    for (const AboutRow &row : rows) {
        auto *item = new QTreeWidgetItem(lvAbout);
        setRowTexts(item, row.caption, row.subItems());
        item->setIcon(0, imlAddMenu.icon(row.imageIndex));
        item->setData(0, kModuleFileNameRole, QByteArray::fromStdString(row.fileName));
    }
}

QStringList moduleRowButtonCaptions(const QTreeWidgetItem *item)
{
    QStringList captions;
    const int count = item->data(0, kModuleButtonCountRole).toInt();
    for (int i = 0; i < count; ++i)
        captions += item->text(column(ModuleListColumn::FirstButton) + i);
    return captions;
}

} // namespace brenmark
