#pragma once

#include <QColor>
#include <QImage>

namespace brenmark {

// The rounded grey highlight bar behind a selected menu item, 12 x 23 pixels,
// built from its grey-level table (RGB32, every pixel grey).
QImage makeSelectionImage();

// Recolours the bar in place: every pixel keeps its lightness and takes the tint's
// hue and twice its saturation.
void TintSelectionImage(QImage &image, const QColor &tint);

} // namespace brenmark
