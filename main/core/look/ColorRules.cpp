#include "main/core/look/ColorRules.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace brenmark {

int roundHalfEven(double value)
{
    // std::nearbyint follows the current rounding mode; the window never changes it
    // from the default round-to-nearest-even, but be explicit about relying on it.
    const int savedMode = std::fegetround();
    if (savedMode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    if (savedMode != FE_TONEAREST)
        std::fesetround(savedMode);
    return static_cast<int>(rounded);
}

QColor MixColors(const QColor &base, const QColor &target, std::uint8_t percent)
{
    const double share = std::min<int>(percent, 100) / 100.0;
    const auto channel = [share](int from, int to) {
        return std::clamp(roundHalfEven((to - from) * share + from), 0, 255);
    };
    return QColor(channel(base.red(), target.red()), channel(base.green(), target.green()),
                  channel(base.blue(), target.blue()));
}

} // namespace brenmark
