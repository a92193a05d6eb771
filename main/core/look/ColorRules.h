#pragma once

#include <QColor>

#include <cstdint>

namespace brenmark {

// Rounds to the nearest integer, halves to the even neighbour (banker's rounding),
// the rule every colour computation of the window uses.
int roundHalfEven(double value);

// A colour between `base` and `target`: each channel moves `percent` of the way
// (values above 100 count as 100). Alpha is dropped: the result is opaque.
QColor MixColors(const QColor &base, const QColor &target, std::uint8_t percent);

} // namespace brenmark
