#include "main/ui/FormFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>

namespace brenmark {

namespace {

// The ink of a sample text, in pixels of full black.
double inkOf(const QFont &font)
{
    static const QString sample = QStringLiteral("Hlmnoa ИЖКШ");
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(sample) + 2 * metrics.height(), 3 * metrics.height(),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(metrics.height(), metrics.height() + metrics.ascent(), sample);
    }
    double ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ink += (255 - qGray(line[x])) / 255.0;
    }
    return ink;
}

} // namespace

void registerFallbackFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        return;
    for (const char *file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        const QString path = QString::fromLatin1(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

bool boldShowsWeight(const QFont &font)
{
    QFont regular = font;
    regular.setBold(false);
    regular.setItalic(false);
    regular.setUnderline(false);
    regular.setStrikeOut(false);
    static QHash<QString, bool> measured;
    const QString key = regular.key();
    const auto known = measured.constFind(key);
    if (known != measured.constEnd())
        return *known;
    QFont bold = regular;
    bold.setBold(true);
    // A true bold inks at least a third more than its regular face (common faces
    // 1.45 to 1.8 times as much); Wine's Tahoma bold inks as much as its regular.
    const double regularInk = inkOf(regular);
    const bool shows = regularInk <= 0 || inkOf(bold) >= 1.3 * regularInk;
    measured.insert(key, shows);
    return shows;
}

QFont visiblyBold(QFont font)
{
    if (!boldShowsWeight(font))
        font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setBold(true);
    return font;
}

QFont formFont(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    if (bold)
        return visiblyBold(font);
    // Set, not left to inheritance: controls inside the bold group boxes stay regular.
    font.setBold(false);
    return font;
}

} // namespace brenmark
