#pragma once

#include <QByteArray>
#include <QImage>

namespace brenmark {

// The program's logo as stored in the program: the JPEG file about_logo.jpg
// beside this header, compiled in by AboutLogoData.cpp.
QByteArray aboutLogoJpeg();

// The logo decoded (50 x 50).
QImage aboutLogo();

} // namespace brenmark
