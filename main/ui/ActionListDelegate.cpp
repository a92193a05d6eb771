#include "main/ui/ActionListDelegate.h"

#include "main/core/chain/ActionChainModel.h"
#include "main/core/look/ImageList.h"
#include "main/core/look/SystemColors.h"

#include <QPainter>

namespace brenmark {

ActionListDelegate::ActionListDelegate(const ImageList &images, QObject *parent)
    : QStyledItemDelegate(parent), m_images(images)
{
}

void ActionListDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant image = index.data(ActionChainModel::ImageIndexRole);
    if (image.isValid()) {
        const QIcon icon = m_images.icon(image.toInt());
        if (!icon.isNull()) {
            option->icon = icon;
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->decorationSize = QSize(16, 16);
        }
    }
}

void ActionListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(systemColor(option.palette, SystemColor::BtnFace).darker(110));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

} // namespace brenmark
