#pragma once

#include "options/core/ColorValue.h"

#include <QWidget>

namespace brenmark {

// A rectangle filled with one colour, bordered in the button-shadow colour.
// Holds the colour as the settings file stores it, so system colours and
// clNone survive a load and save unchanged.
class ColorSwatch : public QWidget
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    ColorValue colorValue() const { return m_color; }
    void setColorValue(ColorValue color);
    // The colour drawn (system colours resolved through the palette).
    QColor displayColor() const;

signals:
    // Any mouse button released over the swatch.
    void released();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ColorValue m_color = 0x00008000;
};

} // namespace brenmark
