#pragma once

#include <QIcon>
#include <QImage>

#include <vector>

namespace brenmark {

// An ordered list of 16 x 16 images (imlAddMenu, imlModules). Rows and menu
// items keep only indices into it; -1 means "no image". The window adds its
// own design-time images first (in imlAddMenu image 0 is the category image),
// module images are appended after them.
class ImageList
{
public:
    static constexpr int kImageSize = 16;

    // Appends `image`, converted to ARGB32 and scaled to 16 x 16 when it has
    // another size; returns its index.
    int add(const QImage &image);

    int count() const { return static_cast<int>(m_images.size()); }
    bool contains(int index) const { return index >= 0 && index < count(); }

    // The image at `index`; a null image for an index outside the list (-1 included).
    QImage image(int index) const;
    // The same as an icon (needs a QGuiApplication); a null icon outside the list.
    QIcon icon(int index) const;

    // Drops the images from `count` on (used to take back a failed module's images).
    void truncate(int count);
    void clear() { m_images.clear(); }

private:
    std::vector<QImage> m_images;
};

} // namespace brenmark
