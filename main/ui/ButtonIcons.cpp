#include "main/ui/ButtonIcons.h"

#include "main/core/look/SystemColors.h"
#include "main/ui/MenuLookStyle.h"

#include <QImage>
#include <QPushButton>

namespace brenmark {

QPixmap blendHalf(const QPixmap &picture, const QColor &blend)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgba((qRed(pixel) + blend.red()) / 2, (qGreen(pixel) + blend.green()) / 2,
                            (qBlue(pixel) + blend.blue()) / 2, qAlpha(pixel));
        }
    }
    return QPixmap::fromImage(image);
}

int SetButtonIcon(QPushButton *button, const QIcon &image, int imageKind, int width, int height,
                  int leftMargin)
{
    if (imageKind != static_cast<int>(ButtonImageKind::Bitmap) && imageKind != static_cast<int>(ButtonImageKind::Icon))
        return 0;
    if (!button || image.isNull())
        return 0;
    const QSize size(width, height);
    // The picture has as many device pixels as the button's screen shows for it, so it
    // stays sharp at every scale. Theme icons need not come in every size: it is always
    // drawn at the given one.
    const qreal ratio = button->devicePixelRatioF();
    const QSize devicePixels = (QSizeF(size) * ratio).toSize();
    QPixmap picture = image.pixmap(size, ratio);
    if (picture.size() != devicePixels)
        picture = picture.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    QIcon looks;
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected})
        looks.addPixmap(picture, mode);
    looks.addPixmap(blendHalf(picture, systemColor(SystemColor::Highlight)), QIcon::Disabled);
    button->setIcon(looks);
    button->setIconSize(size);
    MenuLookStyle::setIconMargin(button, leftMargin);
    return 1;
}

} // namespace brenmark
