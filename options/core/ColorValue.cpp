#include "options/core/ColorValue.h"

#include "options/core/IniValue.h"

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

} // namespace brenmark
