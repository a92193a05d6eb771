// Template reader under arbitrary bytes: it must never crash, allocate
// beyond the input or report anything but TemplateFormatError, and whatever it
// accepts must survive a write and a second read unchanged.
#include "main/core/templates/TemplateFormat.h"

#include <QBuffer>

#include <cstdlib>

using namespace brenmark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);
    std::vector<TemplateAction> actions;
    try {
        actions = TemplateFormat::read(input);
    } catch (const TemplateFormatError &) {
        return 0;
    }

    QByteArray written;
    QBuffer output(&written);
    output.open(QIODevice::WriteOnly);
    TemplateFormat::write(output, actions);
    output.close();
    output.open(QIODevice::ReadOnly);
    if (TemplateFormat::read(output) != actions)
        std::abort();
    return 0;
}
