#include "main/core/look/SelectionImage.h"

#include "main/core/look/HlsColor.h"

#include <array>

namespace brenmark {

namespace {

constexpr int kWidth = 12;
constexpr int kHeight = 23;

// Grey levels per row: outer edge (columns 0 and 11), inner edge (1 and 10), fill (2 to 9).
struct RowGreys
{
    int outer;
    int inner;
    int fill;
};

constexpr std::array<RowGreys, kHeight> kRows{{
    {255, 250, 203}, {255, 209, 243},
    {203, 253, 241}, {203, 251, 241}, {203, 250, 241}, {203, 250, 241}, {203, 250, 240},
    {203, 249, 239}, {203, 249, 239}, {203, 249, 238}, {203, 248, 237}, {203, 248, 237},
    {203, 248, 237}, {203, 248, 236}, {203, 248, 236}, {203, 247, 235}, {203, 247, 235},
    {203, 247, 234}, {203, 246, 234}, {203, 247, 234}, {203, 252, 234},
    {255, 209, 239}, {255, 248, 203},
}};

} // namespace

QImage makeSelectionImage()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        const RowGreys &row = kRows[static_cast<std::size_t>(y)];
        for (int x = 0; x < kWidth; ++x) {
            const int grey = (x == 0 || x == kWidth - 1)   ? row.outer
                             : (x == 1 || x == kWidth - 2) ? row.inner
                                                           : row.fill;
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    }
    return image;
}

void TintSelectionImage(QImage &image, const QColor &tint)
{
    const Hls tintHls = RgbToHls(tint.red(), tint.green(), tint.blue());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const Hls pixelHls = RgbToHls(qRed(pixel), qGreen(pixel), qBlue(pixel));
            const Rgb tinted = HlsToRgb(tintHls.hue, pixelHls.lightness, 2 * tintHls.saturation);
            image.setPixel(x, y, qRgb(tinted.red, tinted.green, tinted.blue));
        }
    }
}

} // namespace brenmark
