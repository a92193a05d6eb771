#pragma once

#include <QIcon>

class QPushButton;

namespace brenmark {

// What SetButtonIcon is handed: 0 a bitmap, 1 an icon; nothing else is accepted.
enum class ButtonImageKind { Bitmap = 0, Icon = 1 };

// Gives `button` the picture at width x height with five looks (normal, hot, pressed
// and default the picture itself; disabled the picture blended half-and-half with the
// highlight colour), `leftMargin` pixels from its left edge. Returns non-zero when the
// button took it, 0 for an image kind other than 0 and 1 (the button is left unchanged).
int SetButtonIcon(QPushButton *button, const QIcon &image, int imageKind, int width, int height,
                  int leftMargin);

// The picture with every pixel's colour halfway to `blend`, transparency kept.
QPixmap blendHalf(const QPixmap &picture, const QColor &blend);

} // namespace brenmark
