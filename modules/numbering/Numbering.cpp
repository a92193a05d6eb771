#include "modules/numbering/Numbering.h"

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"

#include <algorithm>
#include <charconv>

namespace brenmark::modules {

namespace {

constexpr int kMaxWidth = 20;

void appendNumber(const NumberingOptions &options, int32_t fileIndex, std::string &out)
{
    // 64 bits: start + index * step cannot overflow for any 32-bit inputs.
    const int64_t number = int64_t(options.start) + int64_t(fileIndex) * int64_t(options.step);
    const uint64_t magnitude = number < 0 ? uint64_t(0) - uint64_t(number) : uint64_t(number);
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    const int length = int(end - digits);
    const int width = std::clamp<int>(options.width, 1, kMaxWidth);
    if (number < 0)
        out.push_back('-');
    out.append(std::size_t(std::max(width - length, 0)), '0');
    out.append(digits, end);
}

} // namespace

void numberName(const NumberingOptions &options, std::string_view fileName, int32_t fileIndex,
                std::string &out)
{
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    const std::string_view separator = sdk::fieldText(options.separator);
    switch (options.place) {
    case NumberPlace::Prefix:
        appendNumber(options, fileIndex, out);
        out.append(separator).append(fileName);
        return;
    case NumberPlace::Suffix:
        out.append(parts.base).append(separator);
        appendNumber(options, fileIndex, out);
        break;
    case NumberPlace::WholeName:
        appendNumber(options, fileIndex, out);
        break;
    }
    if (parts.hasExtension)
        out.append(".").append(parts.extension);
}

std::string numberingCaption(const NumberingOptions &options)
{
    std::string pattern;
    numberName(options, "имя", 0, pattern);
    return "Нумерация: " + pattern + ", с " + std::to_string(options.start) + " шаг "
           + std::to_string(options.step);
}

} // namespace brenmark::modules
