#include "options/ui/ColorSwatch.h"

#include "options/core/ColorResolving.h"

#include <QMouseEvent>
#include <QPainter>

namespace brenmark {

ColorSwatch::ColorSwatch(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setColorValue(ColorValue color)
{
    m_color = color;
    update();
}

QColor ColorSwatch::displayColor() const
{
    return resolveColor(m_color, palette(), palette().color(QPalette::WindowText));
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), displayColor());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        emit released();
    QWidget::mouseReleaseEvent(event);
}

} // namespace brenmark
