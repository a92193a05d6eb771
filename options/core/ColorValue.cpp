#include "options/core/ColorValue.h"

#include "options/core/IniValue.h"

#include <QGuiApplication>

#include <array>

namespace brenmark {

namespace {

struct NamedColor
{
    const char *name;
    ColorValue value;
};

// In the order in which a value is given its name.
constexpr std::array namedColors{
    NamedColor{"clBlack", 0x00000000},
    NamedColor{"clMaroon", 0x00000080},
    NamedColor{"clGreen", 0x00008000},
    NamedColor{"clOlive", 0x00008080},
    NamedColor{"clNavy", 0x00800000},
    NamedColor{"clPurple", 0x00800080},
    NamedColor{"clTeal", 0x00808000},
    NamedColor{"clGray", 0x00808080},
    NamedColor{"clSilver", 0x00C0C0C0},
    NamedColor{"clRed", 0x000000FF},
    NamedColor{"clLime", 0x0000FF00},
    NamedColor{"clYellow", 0x0000FFFF},
    NamedColor{"clBlue", 0x00FF0000},
    NamedColor{"clFuchsia", 0x00FF00FF},
    NamedColor{"clAqua", 0x00FFFF00},
    NamedColor{"clWhite", 0x00FFFFFF},
    NamedColor{"clMoneyGreen", 0x00C0DCC0},
    NamedColor{"clSkyBlue", 0x00F0CAA6},
    NamedColor{"clCream", 0x00F0FBFF},
    NamedColor{"clMedGray", 0x00A4A0A0},
    NamedColor{"clActiveBorder", systemColorBase + 10},
    NamedColor{"clActiveCaption", systemColorBase + 2},
    NamedColor{"clAppWorkSpace", systemColorBase + 12},
    NamedColor{"clBackground", systemColorBase + 1},
    NamedColor{"clBtnFace", systemColorBase + 15},
    NamedColor{"clBtnHighlight", systemColorBase + 20},
    NamedColor{"clBtnShadow", systemColorBase + 16},
    NamedColor{"clBtnText", systemColorBase + 18},
    NamedColor{"clCaptionText", systemColorBase + 9},
    NamedColor{"clDefault", colorDefault},
    NamedColor{"clGradientActiveCaption", systemColorBase + 27},
    NamedColor{"clGradientInactiveCaption", systemColorBase + 28},
    NamedColor{"clGrayText", systemColorBase + 17},
    NamedColor{"clHighlight", systemColorBase + 13},
    NamedColor{"clHighlightText", systemColorBase + 14},
    NamedColor{"clHotLight", systemColorBase + 26},
    NamedColor{"clInactiveBorder", systemColorBase + 11},
    NamedColor{"clInactiveCaption", systemColorBase + 3},
    NamedColor{"clInactiveCaptionText", systemColorBase + 19},
    NamedColor{"clInfoBk", systemColorBase + 24},
    NamedColor{"clInfoText", systemColorBase + 23},
    NamedColor{"clMenu", systemColorBase + 4},
    NamedColor{"clMenuBar", systemColorBase + 30},
    NamedColor{"clMenuHighlight", systemColorBase + 29},
    NamedColor{"clMenuText", systemColorBase + 7},
    NamedColor{"clNone", colorNone},
    NamedColor{"clScrollBar", systemColorBase + 0},
    NamedColor{"cl3DDkShadow", systemColorBase + 21},
    NamedColor{"cl3DLight", systemColorBase + 22},
    NamedColor{"clWindow", systemColorBase + 5},
    NamedColor{"clWindowFrame", systemColorBase + 6},
    NamedColor{"clWindowText", systemColorBase + 8},
};

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

QString colorToString(ColorValue color)
{
    for (const NamedColor &named : namedColors) {
        if (named.value == color)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<ColorValue> colorFromString(const QString &text)
{
    for (const NamedColor &named : namedColors) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    if (const auto number = parseIniInteger(text))
        return static_cast<ColorValue>(*number);
    return std::nullopt;
}

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
