#pragma once

#include <QImage>

#include <cstddef>

namespace brenmark {

// Decodes JPEG data (greyscale or colour) with libjpeg into a 32-bit RGB
// image. The bytes are only read during the call. Throws std::runtime_error
// with libjpeg's reason when the data is not a JPEG image it can decode.
QImage decodeJpeg(const unsigned char *data, std::size_t size);

} // namespace brenmark
