#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>
#include <string>

namespace brenmark {

// How an embedded image is used: icons keep their own transparency, bitmaps
// take the colour of their pixel at column 0, row 15 as transparent.
enum class ModuleImageKind { None, Icon, Bitmap };

// ICO and PNG data are icons, BMP data is a bitmap; anything else is none.
ModuleImageKind moduleImageKind(const QByteArray &data);

// Decodes image file data as the host shows it: an icon (the 16 x 16 entry
// of an ICO when there is one, else its largest) or a bitmap with its
// transparent colour applied. Null when the data cannot be decoded.
QImage decodeModuleImage(const QByteArray &data);

// Reads resource `name` ("ACTION", "BUTTON0"...) of a loaded module: the
// exported symbols brenmark_resource_<name> and brenmark_resource_<name>_size.
// Nothing when the module lacks either symbol, the data cannot be read or
// is no image of a known kind. Reading module memory is guarded like a call.
std::optional<QImage> loadModuleImage(void *module, const std::string &name);

} // namespace brenmark
