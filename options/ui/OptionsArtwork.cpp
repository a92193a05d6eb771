#include "options/ui/OptionsArtwork.h"

#include <QLinearGradient>
#include <QPainter>

namespace brenmark {

namespace {

QIcon drawnIcon(const QColor &color, int shape)
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(150), 1.5));
    painter.setBrush(color);
    switch (shape) {
    case 0: // a gear-like wheel
        painter.drawEllipse(QRectF(3, 3, 18, 18));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(9, 9, 6, 6));
        break;
    case 1: // a window with a title bar
        painter.drawRect(QRectF(2.5, 4.5, 19, 15));
        painter.fillRect(QRectF(3, 5, 18, 4), color.darker(130));
        break;
    default: // a plug-in block
        painter.drawRoundedRect(QRectF(3.5, 7.5, 17, 13), 2, 2);
        painter.drawRect(QRectF(7.5, 2.5, 3, 5));
        painter.drawRect(QRectF(13.5, 2.5, 3, 5));
        break;
    }
    return QIcon(picture);
}

QIcon pageIcon(const char *themeName, const QColor &color, int shape)
{
    return QIcon::fromTheme(QString::fromLatin1(themeName), drawnIcon(color, shape));
}

} // namespace

QList<QIcon> optionsPageIcons()
{
    return {pageIcon("preferences-system", QColor(0, 133, 255), 0),
            pageIcon("preferences-desktop-theme", QColor(79, 170, 253), 1),
            pageIcon("preferences-plugin", QColor(2, 105, 199), 2)};
}

QPixmap optionsHeaderStrip(int width, int height)
{
    QPixmap strip(width, height);
    QPainter painter(&strip);
    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(221, 236, 254));
    painter.fillRect(strip.rect(), gradient);
    painter.setPen(QColor(190, 215, 250));
    for (int x = width - 120; x < width; x += 6)
        painter.drawLine(x, height - 1, x + height, 0);
    return strip;
}

} // namespace brenmark
