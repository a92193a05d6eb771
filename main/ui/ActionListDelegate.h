#pragma once

#include <QStyledItemDelegate>

namespace brenmark {

class ImageList;

// Rows of lvActions: check box, the action's picture from imlAddMenu (by the chain
// model's image index) and caption, with a grid line under every row.
class ActionListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // `images` must outlive the delegate.
    ActionListDelegate(const ImageList &images, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const ImageList &m_images;
};

} // namespace brenmark
