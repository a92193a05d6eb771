#include "main/ui/TopSplitter.h"

#include "main/ui/DesignLayout.h"

#include <QMouseEvent>

#include <algorithm>

namespace brenmark {

TopSplitter::TopSplitter(DesignLayout *layout, QWidget *strip, QWidget *parent)
    : QWidget(parent), m_layout(layout), m_strip(strip)
{
    setCursor(Qt::SplitVCursor);
}

void TopSplitter::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressY = event->globalPosition().toPoint().y();
    m_pressThickness = m_strip->height();
}

void TopSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressY < 0)
        return;
    const int wanted = m_pressThickness + event->globalPosition().toPoint().y() - m_pressY;
    const int room = parentWidget()->height() - m_strip->y() - height() - m_keepBelow;
    const int limited = std::max(std::min(wanted, room), m_strip->minimumHeight());
    m_layout->setThickness(m_strip, limited);
}

void TopSplitter::mouseReleaseEvent(QMouseEvent *)
{
    m_pressY = -1;
}

} // namespace brenmark
