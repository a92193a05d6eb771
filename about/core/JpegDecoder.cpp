#include "about/core/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace brenmark {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// jump back to the decoder, which then cleans up and throws.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void exitWithError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->escape, 1);
}

void ignoreMessage(j_common_ptr) {}

struct DecodedRows
{
    QImage image;
    std::vector<JSAMPLE> row;
};

} // namespace

QImage decodeJpeg(const unsigned char *data, std::size_t size)
{
    if (!data || size == 0)
        throw std::runtime_error("JPEG image is empty");

    jpeg_decompress_struct info {};
    ErrorManager errors {};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = exitWithError;
    errors.base.output_message = ignoreMessage;

    // What the decoder fills lives behind a pointer set before setjmp, so its
    // contents stay valid when libjpeg jumps back.
    const auto decoded = std::make_unique<DecodedRows>();
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        throw std::runtime_error(std::string("Cannot decode JPEG image: ") + errors.message);
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        throw std::runtime_error("Cannot decode JPEG image: CMYK images are not supported");
    }
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);

    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    const int components = info.output_components;
    QImage &image = decoded->image;
    std::vector<JSAMPLE> &row = decoded->row;
    image = QImage(width, height, QImage::Format_RGB32);
    row.resize(static_cast<std::size_t>(width) * components);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const JSAMPLE *sample = row.data() + static_cast<std::size_t>(x) * components;
            pixels[x] = components == 1 ? qRgb(sample[0], sample[0], sample[0]) : qRgb(sample[0], sample[1], sample[2]);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return std::move(decoded->image);
}

} // namespace brenmark
