#include "main/core/look/ImageList.h"

#include <QPixmap>

namespace brenmark {

int ImageList::add(const QImage &image)
{
    QImage converted = image.convertToFormat(QImage::Format_ARGB32);
    if (converted.width() != kImageSize || converted.height() != kImageSize)
        converted = converted.scaled(kImageSize, kImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_images.push_back(std::move(converted));
    return count() - 1;
}

QImage ImageList::image(int index) const
{
    return contains(index) ? m_images[static_cast<size_t>(index)] : QImage();
}

QIcon ImageList::icon(int index) const
{
    return contains(index) ? QIcon(QPixmap::fromImage(m_images[static_cast<size_t>(index)])) : QIcon();
}

void ImageList::truncate(int count)
{
    if (count >= 0 && count < this->count())
        m_images.resize(static_cast<size_t>(count));
}

} // namespace brenmark
