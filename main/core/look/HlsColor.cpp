#include "main/core/look/HlsColor.h"

#include "main/core/look/ColorRules.h"

#include <algorithm>

namespace brenmark {

Hls RgbToHls(int red, int green, int blue)
{
    const int largest = std::max({red, green, blue});
    const int smallest = std::min({red, green, blue});
    const int sum = largest + smallest;
    const int spread = largest - smallest;

    Hls result;
    result.lightness = roundHalfEven((sum * 240.0 + 255.0) / 510.0);
    if (spread == 0) {
        result.hue = 160;
        result.saturation = 0;
    } else {
        if (result.lightness <= 120)
            result.saturation = roundHalfEven((spread * 240.0 + sum / 2.0) / sum);
        else
            result.saturation = roundHalfEven((spread * 240.0 + (510 - sum) / 2.0) / (510 - sum));

        const auto distance = [largest, spread](int channel) {
            return static_cast<float>(((largest - channel) * 40.0 + spread / 2.0) / spread);
        };
        const float dRed = distance(red);
        const float dGreen = distance(green);
        const float dBlue = distance(blue);
        float hue;
        if (red == largest)
            hue = dBlue - dGreen;
        else if (green == largest)
            hue = 80.0f + dRed - dBlue;
        else
            hue = 160.0f + dGreen - dRed;
        result.hue = roundHalfEven(hue);
        if (result.hue < 0)
            result.hue += 240;
        if (result.hue > 240)
            result.hue -= 240;
    }
    result.saturation = std::clamp(result.saturation, 0, 240);
    result.lightness = std::clamp(result.lightness, 0, 240);
    return result;
}

float HueToRgb(float lo, float hi, float hue)
{
    if (hue < 0.0f)
        hue += 240.0f;
    if (hue > 240.0f)
        hue -= 240.0f;
    if (hue < 40.0f)
        return lo + ((hi - lo) * hue + 20.0f) / 40.0f;
    if (hue < 120.0f)
        return hi;
    if (hue < 160.0f)
        return lo + ((hi - lo) * (160.0f - hue) + 20.0f) / 40.0f;
    return lo;
}

Rgb HlsToRgb(int hue, int lightness, int saturation)
{
    if (saturation == 0) {
        const int grey = std::clamp(roundHalfEven(lightness * 255.0 / 240.0), 0, 255);
        return {grey, grey, grey};
    }
    const float l = static_cast<float>(lightness);
    const float s = static_cast<float>(saturation);
    const float hi = lightness <= 120 ? (l * (240.0f + s) + 120.0f) / 240.0f
                                      : l + s - (l * s + 120.0f) / 240.0f;
    const float lo = 2.0f * l - hi;
    const auto channel = [lo, hi](float channelHue) {
        const float value = HueToRgb(lo, hi, channelHue);
        return std::clamp(roundHalfEven((value * 255.0f + 120.0f) / 240.0f), 0, 255);
    };
    const float h = static_cast<float>(hue);
    return {channel(h + 80.0f), channel(h), channel(h - 80.0f)};
}

} // namespace brenmark
