#pragma once

#include "options/core/ColorValue.h"

#include <QColor>
#include <QPalette>

namespace brenmark {

// Between stored colours and the colours drawn with: the windows' side of
// ColorValue, apart from it so that what only reads and writes settings
// needs no Qt Gui.

ColorValue colorValueFromRgb(const QColor &color);

// The colour to draw with. System colours take the matching role of
// `palette`, clNone is transparent, clDefault (and an unknown system colour)
// is `defaultColor`, the caller's own colour for the place it draws.
QColor resolveColor(ColorValue color, const QPalette &palette, const QColor &defaultColor);
// The same with the application palette.
QColor resolveColor(ColorValue color, const QColor &defaultColor);

} // namespace brenmark
