#include "main/core/look/TextLine.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace brenmark {

TextLine reportedTextLine(const QFont &font)
{
    const QFontMetrics metrics(font);
    return {metrics.ascent(), metrics.descent()};
}

TextLine inkedTextLine(const QFont &font)
{
    // Rendered rather than asked: the glyphs' bounding boxes of some faces hold an
    // empty row below the ink, which would make every row a pixel taller.
    static const QString probe = QString::fromUtf8("ÅÂÉÖÇĄŞЁЙЇЎЩЦДgjpqyруфд()[]{}$@");
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(probe) + 2 * metrics.height();
    const int margin = 2 * metrics.height();
    const int baseline = margin + metrics.ascent();
    QImage image(width, baseline + metrics.descent() + margin, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(metrics.height(), baseline, probe);
    }
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (std::any_of(line, line + width, [](QRgb pixel) { return (pixel & 0xFFFFFF) != 0xFFFFFF; })) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    }
    if (top < 0)
        return {};
    return {baseline - top, bottom - baseline + 1};
}

FileRowLayout fileRowLayout(TextLine reported, TextLine inked, bool showIcons)
{
    const int above = std::max(reported.above, inked.above);
    const int below = std::max(reported.below, inked.below);
    FileRowLayout layout;
    layout.height = above + below;
    if (showIcons && layout.height < 16)
        layout.height = 16;
    layout.baseline = above;
    return layout;
}

} // namespace brenmark
