#pragma once

#include <QLayout>
#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

namespace brenmark {

// Places the children of one container as a form designer does: a child is either
// aligned to an edge of the container (a strip of fixed thickness, or the rest of the
// area) or keeps its design rectangle and follows the edges it is anchored to when
// the container's size differs from its design size.
class DesignLayout : public QLayout
{
public:
    enum class Align { Top, Bottom, Left, Right, Client };

    // `alignInset` shrinks the area aligned children share (a group box's caption and
    // frame); anchored children are placed in the container's own coordinates.
    DesignLayout(QWidget *container, QSize designSize, QMargins alignInset = {});
    ~DesignLayout() override;

    // Aligned children are placed in the order they were added, top and bottom strips
    // first, then left and right, then the client filler. `thickness` is the height of a
    // top or bottom strip and the width of a left or right one.
    void addAligned(QWidget *widget, Align align, int thickness = 0);
    void addAnchored(QWidget *widget, QRect designRect, Qt::Edges anchors = Qt::LeftEdge | Qt::TopEdge);

    // The height or width of an aligned strip, e.g. after a splitter drag.
    void setThickness(QWidget *widget, int thickness);
    int thickness(QWidget *widget) const;

    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    struct Entry
    {
        QLayoutItem *item = nullptr;
        bool aligned = false;
        Align align = Align::Client;
        int thickness = 0;
        QRect design;
        Qt::Edges anchors;
    };

    Entry *find(QWidget *widget);
    const Entry *find(QWidget *widget) const;
    void placeAligned(QRect &area, Align pass);
    static void placeItem(Entry &entry, const QRect &place);

    QSize m_designSize;
    QMargins m_alignInset;
    QList<Entry> m_entries;
};

} // namespace brenmark
