#include "main/core/look/ModuleImages.h"

#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

#define BRENMARK_HOST
#include "brenmark_module.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brenmark {
namespace {

// Far above any menu image; a larger size is a damaged size symbol.
constexpr uint32_t kMaxResourceSize = 16 * 1024 * 1024;
constexpr int kTransparentX = 0;
constexpr int kTransparentY = 15;

QImage decodeIcon(const QByteArray &data, const char *format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    QImage best;
    // An ICO holds several sizes: prefer the exact menu size, else the largest.
    const int count = std::max(reader.imageCount(), 1);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        if (image.isNull())
            continue;
        if (image.width() == ImageList::kImageSize && image.height() == ImageList::kImageSize)
            return image;
        if (best.isNull() || image.width() * image.height() > best.width() * best.height())
            best = image;
    }
    return best;
}

QImage decodeBitmap(const QByteArray &data)
{
    QImage image = QImage::fromData(data, "BMP").convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || image.width() <= kTransparentX || image.height() <= kTransparentY)
        return image;
    const QRgb transparent = image.pixel(kTransparentX, kTransparentY) & RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == transparent)
                line[x] = 0;
        }
    }
    return image;
}

} // namespace

ModuleImageKind moduleImageKind(const QByteArray &data)
{
    if (data.startsWith(QByteArray("\x00\x00\x01\x00", 4)) || data.startsWith("\x89PNG"))
        return ModuleImageKind::Icon;
    if (data.startsWith("BM"))
        return ModuleImageKind::Bitmap;
    return ModuleImageKind::None;
}

QImage decodeModuleImage(const QByteArray &data)
{
    switch (moduleImageKind(data)) {
    case ModuleImageKind::Icon:
        return decodeIcon(data, data.startsWith("\x89PNG") ? "PNG" : "ICO");
    case ModuleImageKind::Bitmap:
        return decodeBitmap(data);
    case ModuleImageKind::None:
        break;
    }
    return {};
}

std::optional<QImage> loadModuleImage(void *module, const std::string &name)
{
    const std::string symbol = BRENMARK_RESOURCE_PREFIX + name;
    const auto *bytes = static_cast<const char *>(moduleSymbol(module, symbol.c_str()));
    const auto *size = static_cast<const uint32_t *>(moduleSymbol(module, (symbol + "_size").c_str()));
    if (!bytes || !size)
        return std::nullopt;

    QByteArray data;
    try {
        guardModuleCall(module, [&] {
            if (*size > 0 && *size <= kMaxResourceSize)
                data = QByteArray(bytes, static_cast<qsizetype>(*size));
        });
    } catch (const ModuleCallError &) {
        return std::nullopt;
    }
    QImage image = decodeModuleImage(data);
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace brenmark
