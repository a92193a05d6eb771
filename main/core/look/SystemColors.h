#pragma once

#include <QColor>
#include <QPalette>

namespace brenmark {

// The desktop colours the drawing rules are written in, mapped onto a Qt palette.
enum class SystemColor {
    Window,        // list background
    WindowText,
    BtnFace,       // window and button background
    BtnShadow,     // button shadow: zebra rows, menu icon stripe
    BtnHighlight,  // light bevel: menu background
    BtnText,
    GrayText,      // disabled text
    Highlight,     // selection background
    HighlightText, // selected text
};

QColor systemColor(const QPalette &palette, SystemColor color);

// The same from the application palette.
QColor systemColor(SystemColor color);

} // namespace brenmark
