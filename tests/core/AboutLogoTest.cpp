#include "about/core/AboutLogo.h"
#include "about/core/JpegDecoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

#include <stdexcept>

using namespace brenmark;

namespace {

QImage decode(const QByteArray &bytes)
{
    return decodeJpeg(reinterpret_cast<const unsigned char *>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
}

int channelDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

} // namespace

TEST(AboutLogo, EmbeddedBytesMatchTheFile)
{
    QFile file(QStringLiteral(BRENMARK_SOURCE_DIR "/about/core/about_logo.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(aboutLogoJpeg(), file.readAll());
}

TEST(AboutLogo, DecodesToTheFiftyPixelPicture)
{
    const QImage logo = aboutLogo();
    ASSERT_EQ(logo.size(), QSize(50, 50));
    // White corners around a blue rounded square; the decoder must keep the
    // channels in order (a swapped red and blue shows here).
    EXPECT_LT(channelDistance(logo.pixel(0, 0), qRgb(255, 255, 255)), 24);
    const QRgb blue = logo.pixel(5, 25);
    EXPECT_GT(qBlue(blue), 150);
    EXPECT_LT(qRed(blue), 120);
}

TEST(JpegDecoder, GreyscaleAndColourImagesMadeByAnotherEncoder)
{
    for (QImage::Format format : {QImage::Format_Grayscale8, QImage::Format_RGB32}) {
        QImage source(17, 9, format);
        source.fill(QColor(200, 40, 90));
        source.setPixelColor(0, 0, Qt::black);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!source.save(&buffer, "JPEG", 100))
            GTEST_SKIP() << "no JPEG writer in this Qt";
        const QImage decoded = decode(bytes);
        ASSERT_EQ(decoded.size(), source.size());
        EXPECT_LT(channelDistance(decoded.pixel(10, 5), source.pixel(10, 5)), 16) << format;
    }
}

TEST(JpegDecoder, DamagedDataRaisesAnError)
{
    const QByteArray logo = aboutLogoJpeg();
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("not a picture at all"),
        logo.left(20),           // header cut short
        QByteArray(1, '\xFF'),
    };
    for (const QByteArray &bytes : cases)
        EXPECT_THROW(decode(bytes), std::runtime_error) << bytes.size();
    EXPECT_THROW(decodeJpeg(nullptr, 10), std::runtime_error);
}
