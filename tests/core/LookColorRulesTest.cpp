#include "main/core/look/ColorRules.h"
#include "main/core/look/HlsColor.h"
#include "main/core/look/SelectionImage.h"

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

Rgb rgbOf(const QColor &color)
{
    return {color.red(), color.green(), color.blue()};
}

} // namespace

TEST(LookMixColors, ChannelsMoveByPercentWithHalvesToEven)
{
    struct Case
    {
        QColor base, target;
        int percent;
        Rgb expected;
    };
    const QColor white(255, 255, 255);
    const Case cases[] = {
        {white, QColor(128, 128, 128), 15, {236, 236, 236}}, // 235.95: zebra from a classic shadow
        {white, QColor(160, 160, 160), 25, {231, 231, 231}}, // menu icon stripe
        {white, QColor(51, 153, 255), 70, {112, 184, 255}},  // selected row: 112.2, 183.6
        {QColor(51, 153, 255), white, 1, {53, 154, 255}},    // selection tint: 53.04, 154.02
        {QColor(10, 20, 30), QColor(200, 100, 0), 0, {10, 20, 30}},
        {QColor(10, 20, 30), QColor(200, 100, 0), 100, {200, 100, 0}},
        {QColor(10, 20, 30), QColor(200, 100, 0), 150, {200, 100, 0}}, // above 100 counts as 100
        {QColor(0, 0, 0), QColor(5, 7, 1), 50, {2, 4, 0}},              // 2.5, 3.5, 0.5: to even
        {QColor(0, 0, 0), QColor(255, 255, 255), 255, {255, 255, 255}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(rgbOf(MixColors(c.base, c.target, static_cast<std::uint8_t>(c.percent))), c.expected)
            << c.base.name().toStdString() << " -> " << c.target.name().toStdString() << " " << c.percent;
}

TEST(LookHls, RgbToHlsOfTheReferenceColours)
{
    struct Case
    {
        Rgb rgb;
        Hls hls;
    };
    const Case cases[] = {
        {{255, 0, 0}, {0, 120, 240}},   {{0, 255, 0}, {80, 120, 240}},   {{0, 0, 255}, {160, 120, 240}},
        {{255, 255, 255}, {160, 240, 0}}, {{0, 0, 0}, {160, 0, 0}},       {{128, 128, 128}, {160, 121, 0}},
        {{53, 154, 255}, {140, 145, 240}}, // the tint from a selection colour of (51, 153, 255)
        {{255, 0, 128}, {220, 120, 240}},  // a negative hue wraps round
    };
    for (const Case &c : cases)
        EXPECT_EQ(RgbToHls(c.rgb.red, c.rgb.green, c.rgb.blue), c.hls)
            << c.rgb.red << "," << c.rgb.green << "," << c.rgb.blue;
}

TEST(LookHls, HlsToRgbReturnsThePrimariesAndLimitsChannels)
{
    struct Case
    {
        Hls hls;
        Rgb rgb;
    };
    const Case cases[] = {
        {{0, 120, 240}, {255, 0, 0}},     {{80, 120, 240}, {0, 255, 0}},   {{160, 120, 240}, {0, 0, 255}},
        {{160, 240, 0}, {255, 255, 255}}, {{160, 0, 0}, {0, 0, 0}},         {{160, 121, 0}, {129, 129, 129}},
        {{140, 192, 480}, {103, 205, 255}}, // grey 203 under the tint: saturation doubled past 240
        {{140, 240, 480}, {255, 255, 255}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(HlsToRgb(c.hls.hue, c.hls.lightness, c.hls.saturation), c.rgb)
            << c.hls.hue << "," << c.hls.lightness << "," << c.hls.saturation;
}

TEST(LookHls, HueToRgbPiecesAndWrapping)
{
    EXPECT_FLOAT_EQ(HueToRgb(0.0f, 240.0f, 0.0f), 0.5f);
    EXPECT_FLOAT_EQ(HueToRgb(0.0f, 240.0f, 20.0f), 120.5f);
    EXPECT_FLOAT_EQ(HueToRgb(0.0f, 240.0f, 80.0f), 240.0f);
    EXPECT_FLOAT_EQ(HueToRgb(0.0f, 240.0f, 140.0f), 120.5f);
    EXPECT_FLOAT_EQ(HueToRgb(10.0f, 240.0f, 200.0f), 10.0f);
    EXPECT_FLOAT_EQ(HueToRgb(0.0f, 240.0f, -40.0f), HueToRgb(0.0f, 240.0f, 200.0f));
    EXPECT_FLOAT_EQ(HueToRgb(0.0f, 240.0f, 320.0f), HueToRgb(0.0f, 240.0f, 80.0f));
}

TEST(LookSelectionImage, PixelTableShapesTheBar)
{
    const QImage image = makeSelectionImage();
    ASSERT_EQ(image.size(), QSize(12, 23));
    struct Probe
    {
        int x, y, grey;
    };
    const Probe probes[] = {
        {0, 0, 255}, {11, 0, 255}, {1, 0, 250}, {5, 0, 203},  {1, 1, 209},  {5, 1, 243}, {0, 2, 203},
        {1, 2, 253}, {5, 2, 241}, {10, 18, 246}, {9, 18, 234}, {1, 20, 252}, {2, 20, 234}, {0, 21, 255},
        {10, 21, 209}, {4, 21, 239}, {11, 22, 255}, {10, 22, 248}, {6, 22, 203}, {3, 12, 237},
    };
    for (const Probe &p : probes)
        EXPECT_EQ(image.pixel(p.x, p.y), qRgb(p.grey, p.grey, p.grey)) << p.x << "," << p.y;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image.pixel(x, y), image.pixel(11 - x, y)) << "the bar is symmetric at " << x << "," << y;
}

TEST(LookSelectionImage, TintKeepsLightnessAndTakesTheHue)
{
    QImage image = makeSelectionImage();
    TintSelectionImage(image, MixColors(QColor(51, 153, 255), QColor(255, 255, 255), 1));
    EXPECT_EQ(image.pixel(0, 2), qRgb(103, 205, 255)); // grey 203
    EXPECT_EQ(image.pixel(5, 2), qRgb(215, 242, 255)); // grey 241
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)); // white corner
    EXPECT_EQ(image.pixel(11, 22), qRgb(255, 255, 255));
}
