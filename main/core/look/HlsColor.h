#pragma once

#include <QColor>

namespace brenmark {

// Hue, lightness and saturation on the 0..240 scale of the selection tint.
struct Hls
{
    int hue = 0;
    int lightness = 0;
    int saturation = 0;

    bool operator==(const Hls &) const = default;
};

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb &) const = default;
};

// Channels 0..255 in, 0..240 out. A grey has saturation 0 and the undefined hue 160.
Hls RgbToHls(int red, int green, int blue);

// One channel of HlsToRgb on the 0..240 scale; all single precision on purpose, the
// tint is specified to the last rounding step.
float HueToRgb(float lo, float hi, float hue);

// Inverse of RgbToHls. Saturation may exceed 240 (the tint doubles it); the result
// channels are limited to 0..255.
Rgb HlsToRgb(int hue, int lightness, int saturation);

} // namespace brenmark
