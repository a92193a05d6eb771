#include "main/core/look/SystemColors.h"

#include <QGuiApplication>

namespace brenmark {

QColor systemColor(const QPalette &palette, SystemColor color)
{
    switch (color) {
    case SystemColor::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case SystemColor::WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case SystemColor::BtnFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SystemColor::BtnShadow:
        return palette.color(QPalette::Active, QPalette::Dark);
    case SystemColor::BtnHighlight:
        return palette.color(QPalette::Active, QPalette::Light);
    case SystemColor::BtnText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case SystemColor::GrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case SystemColor::Highlight:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SystemColor::HighlightText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    }
    return {};
}

QColor systemColor(SystemColor color)
{
    return systemColor(QGuiApplication::palette(), color);
}

} // namespace brenmark
