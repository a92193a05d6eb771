#include "options/core/ColorResolving.h"

#include <QGuiApplication>

#include <array>

namespace brenmark {

namespace {

struct SystemRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Indexed by the system colour number; the nearest role of a Qt palette.
constexpr std::array<SystemRole, 31> systemRoles{{
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Window},           // 1 desktop background
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},      // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application work space
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
    {QPalette::Active, QPalette::NoRole},           // 25 unused
    {QPalette::Active, QPalette::Link},             // 26 hot light
    {QPalette::Active, QPalette::Highlight},        // 27 gradient of the active caption
    {QPalette::Inactive, QPalette::Highlight},      // 28 gradient of the inactive caption
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
}};

} // namespace

ColorValue colorValueFromRgb(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return static_cast<ColorValue>(rgb.red()) | static_cast<ColorValue>(rgb.green()) << 8
           | static_cast<ColorValue>(rgb.blue()) << 16;
}

QColor resolveColor(ColorValue color, const QPalette &palette, const QColor &defaultColor)
{
    if (color == colorNone)
        return QColor(Qt::transparent);
    if (color == colorDefault)
        return defaultColor;
    if ((color & 0xFF000000) == systemColorBase) {
        const ColorValue index = color & 0x00FFFFFF;
        if (index >= systemRoles.size() || systemRoles[index].role == QPalette::NoRole)
            return defaultColor;
        return palette.color(systemRoles[index].group, systemRoles[index].role);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                  static_cast<int>(color >> 16 & 0xFF));
}

QColor resolveColor(ColorValue color, const QColor &defaultColor)
{
    return resolveColor(color, QGuiApplication::palette(), defaultColor);
}

} // namespace brenmark
