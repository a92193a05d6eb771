#include "modules/numbering/Numbering.h"

#include "module_helper/Counter.h"
#include "module_helper/Fields.h"
#include "module_helper/FileName.h"


namespace brenmark::modules {

namespace {

void appendNumber(const NumberingOptions &options, int32_t fileIndex, int32_t fileCount, std::string &out)
{
    sdk::appendCounter(out, sdk::Counter{options.start, options.step, options.width}, fileIndex, fileCount);
}

} // namespace

void numberName(const NumberingOptions &options, std::string_view fileName, int32_t fileIndex,
                int32_t fileCount, std::string &out)
{
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    const std::string_view separator = sdk::fieldText(options.separator);
    switch (options.place) {
    case NumberPlace::Prefix:
        appendNumber(options, fileIndex, fileCount, out);
        out.append(separator).append(fileName);
        return;
    case NumberPlace::Suffix:
        out.append(parts.base).append(separator);
        appendNumber(options, fileIndex, fileCount, out);
        break;
    case NumberPlace::WholeName:
        appendNumber(options, fileIndex, fileCount, out);
        break;
    }
    if (parts.hasExtension)
        out.append(".").append(parts.extension);
}

std::string numberingCaption(const NumberingOptions &options)
{
    std::string pattern;
    numberName(options, "имя", 0, 0, pattern);
    return "Нумерация: " + pattern + ", с " + std::to_string(options.start) + " шаг "
           + std::to_string(options.step);
}

} // namespace brenmark::modules
