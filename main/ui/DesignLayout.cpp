#include "main/ui/DesignLayout.h"

#include <QWidget>

#include <algorithm>

namespace brenmark {

DesignLayout::DesignLayout(QWidget *container, QSize designSize, QMargins alignInset)
    : QLayout(container), m_designSize(designSize), m_alignInset(alignInset)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

DesignLayout::~DesignLayout()
{
    for (const Entry &entry : m_entries)
        delete entry.item;
}

void DesignLayout::addAligned(QWidget *widget, Align align, int thickness)
{
    addChildWidget(widget);
    Entry entry;
    entry.item = new QWidgetItem(widget);
    entry.aligned = true;
    entry.align = align;
    entry.thickness = thickness;
    m_entries.append(entry);
    invalidate();
}

void DesignLayout::addAnchored(QWidget *widget, QRect designRect, Qt::Edges anchors)
{
    addChildWidget(widget);
    Entry entry;
    entry.item = new QWidgetItem(widget);
    entry.design = designRect;
    entry.anchors = anchors;
    m_entries.append(entry);
    widget->setGeometry(designRect);
    invalidate();
}

void DesignLayout::setThickness(QWidget *widget, int thickness)
{
    if (Entry *entry = find(widget)) {
        entry->thickness = thickness;
        if (const QRect area = geometry(); area.isValid())
            setGeometry(area);
        else
            invalidate();
    }
}

int DesignLayout::thickness(QWidget *widget) const
{
    const Entry *entry = find(widget);
    return entry ? entry->thickness : 0;
}

void DesignLayout::addItem(QLayoutItem *item)
{
    Entry entry;
    entry.item = item;
    entry.design = item->geometry();
    entry.anchors = Qt::LeftEdge | Qt::TopEdge;
    m_entries.append(entry);
}

QLayoutItem *DesignLayout::itemAt(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).item : nullptr;
}

QLayoutItem *DesignLayout::takeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return nullptr;
    return m_entries.takeAt(index).item;
}

int DesignLayout::count() const
{
    return static_cast<int>(m_entries.size());
}

QSize DesignLayout::sizeHint() const
{
    return m_designSize;
}

QSize DesignLayout::minimumSize() const
{
    return {0, 0};
}

// Widgets get exactly their place: a designer's size wins over size policies and hints.
void DesignLayout::placeItem(Entry &entry, const QRect &place)
{
    if (QWidget *widget = entry.item->widget())
        widget->setGeometry(place);
    else
        entry.item->setGeometry(place);
}

DesignLayout::Entry *DesignLayout::find(QWidget *widget)
{
    for (Entry &entry : m_entries)
        if (entry.item->widget() == widget)
            return &entry;
    return nullptr;
}

const DesignLayout::Entry *DesignLayout::find(QWidget *widget) const
{
    return const_cast<DesignLayout *>(this)->find(widget);
}

void DesignLayout::placeAligned(QRect &area, Align pass)
{
    for (Entry &entry : m_entries) {
        if (!entry.aligned || entry.align != pass || entry.item->isEmpty())
            continue;
        QWidget *widget = entry.item->widget();
        const QSize minimum = widget ? widget->minimumSize() : QSize();
        QRect place;
        switch (pass) {
        case Align::Top: {
            const int height = std::max(entry.thickness, minimum.height());
            place = QRect(area.left(), area.top(), area.width(), height);
            area.setTop(area.top() + height);
            break;
        }
        case Align::Bottom: {
            const int height = std::max(entry.thickness, minimum.height());
            place = QRect(area.left(), area.bottom() + 1 - height, area.width(), height);
            area.setBottom(area.bottom() - height);
            break;
        }
        case Align::Left: {
            const int width = std::max(entry.thickness, minimum.width());
            place = QRect(area.left(), area.top(), width, area.height());
            area.setLeft(area.left() + width);
            break;
        }
        case Align::Right: {
            const int width = std::max(entry.thickness, minimum.width());
            place = QRect(area.right() + 1 - width, area.top(), width, area.height());
            area.setRight(area.right() - width);
            break;
        }
        case Align::Client:
            place = area;
            break;
        }
        placeItem(entry, place);
    }
}

void DesignLayout::setGeometry(const QRect &given)
{
    QLayout::setGeometry(given);
    // Design positions count from the container's own corner, whatever contents
    // margins it keeps for layouts (a group box keeps its caption and frame out).
    const QRect rect = parentWidget() ? parentWidget()->rect() : given;
    QRect area = rect.marginsRemoved(m_alignInset);
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client})
        placeAligned(area, pass);

    const int grownX = rect.width() - m_designSize.width();
    const int grownY = rect.height() - m_designSize.height();
    for (Entry &entry : m_entries) {
        if (entry.aligned)
            continue;
        QRect place = entry.design;
        if (entry.anchors.testFlag(Qt::RightEdge)) {
            if (entry.anchors.testFlag(Qt::LeftEdge))
                place.setWidth(entry.design.width() + grownX);
            else
                place.moveLeft(entry.design.left() + grownX);
        }
        if (entry.anchors.testFlag(Qt::BottomEdge)) {
            if (entry.anchors.testFlag(Qt::TopEdge))
                place.setHeight(entry.design.height() + grownY);
            else
                place.moveTop(entry.design.top() + grownY);
        }
        if (QWidget *widget = entry.item->widget()) {
            place.setWidth(std::max(place.width(), widget->minimumWidth()));
            place.setHeight(std::max(place.height(), widget->minimumHeight()));
        }
        place.translate(rect.topLeft());
        placeItem(entry, place);
    }
}

} // namespace brenmark
