#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace brenmark {

// A colour as the settings file keeps it, 32 bits. A plain colour has, from
// the lowest byte, red, green, blue and 0 (0x000000FF is red). 0xFF000000 + i
// stands for the desktop's system colour number i (here: a role of the
// application palette); clNone and clDefault are the two values below.
using ColorValue = std::uint32_t;

inline constexpr ColorValue colorNone = 0x1FFFFFFF;
inline constexpr ColorValue colorDefault = 0x20000000;
inline constexpr ColorValue systemColorBase = 0xFF000000;

// The file form: the colour's name when it has one (the first in table order),
// otherwise "$" and eight upper-case hexadecimal digits.
QString colorToString(ColorValue color);

// A name of the table (compared without letter case), or an integer in
// decimal, "$" or "0x" form. Nothing for any other text.
std::optional<ColorValue> colorFromString(const QString &text);

} // namespace brenmark
