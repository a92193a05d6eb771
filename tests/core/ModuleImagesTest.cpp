#include "main/core/look/ImageList.h"
#include "main/core/look/ModuleImages.h"
#include "main/core/modulehost/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <QFile>

#include <unistd.h>

using namespace brenmark;

namespace {

QByteArray imageFile(const char *name)
{
    QFile file(QStringLiteral(BRENMARK_SOURCE_DIR "/tests/fixtures/images/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ModuleImages, KindComesFromTheDataAndDecodingAppliesTheTransparentColour)
{
    struct Case { const char *file; ModuleImageKind kind; QRgb centre; int cornerAlpha; };
    const Case cases[] = {
        {"icon.ico", ModuleImageKind::Icon, qRgb(255, 0, 0), 255},  // the 16 x 16 entry, not the 32 x 32 one
        {"button.png", ModuleImageKind::Icon, qRgb(0, 200, 0), 255},
        {"bitmap.bmp", ModuleImageKind::Bitmap, qRgb(255, 255, 0), 0},
    };
    for (const Case &c : cases) {
        const QByteArray data = imageFile(c.file);
        ASSERT_FALSE(data.isEmpty()) << c.file;
        EXPECT_EQ(moduleImageKind(data), c.kind) << c.file;
        const QImage image = decodeModuleImage(data);
        ASSERT_EQ(image.size(), QSize(16, 16)) << c.file;
        EXPECT_EQ(image.pixel(8, 8), c.centre) << c.file;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), c.cornerAlpha) << c.file;
    }
    for (const QByteArray &junk : {QByteArray(), QByteArray("GIF89a"), QByteArray("BMxx"), QByteArray("\x89PNG")}) {
        EXPECT_TRUE(decodeModuleImage(junk).isNull()) << junk.toStdString();
    }
    EXPECT_FALSE(loadModuleImage(nullptr, "ACTION"));
}

TEST(ModuleImages, ImageListKeepsSixteenBySixteenAndIndicesOutsideAreEmpty)
{
    ImageList list;
    QImage large(32, 8, QImage::Format_RGB32);
    large.fill(Qt::blue);
    EXPECT_EQ(list.add(large), 0);
    EXPECT_EQ(list.add(decodeModuleImage(imageFile("bitmap.bmp"))), 1);
    EXPECT_EQ(list.image(0).size(), QSize(16, 16));
    EXPECT_EQ(list.image(0).format(), QImage::Format_ARGB32);
    EXPECT_TRUE(list.image(-1).isNull());
    list.truncate(1);
    EXPECT_EQ(list.count(), 1);
}

TEST(ProgramDirectory, IsTheExecutablesDirectoryWithATrailingSlash)
{
    const std::string dir = programDirectoryBytes();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(access((dir + "core_tests").c_str(), X_OK), 0) << dir;
    EXPECT_EQ(programDirectory(), QString::fromStdString(dir));
    EXPECT_EQ(languageFilePath("/opt/brenmark/"), "/opt/brenmark/Languages/english.lng");
}
