#include "modules/datetime/DateTimeRule.h"

#include "modules/common/FileNameParts.h"
#include "modules/common/FixedText.h"
#include "modules/datetime/DateFormat.h"

#include <stdexcept>

namespace brenmark::datetime {

std::string_view formatText(const DateTimeOptions &options)
{
    return fixedText(options.format);
}

std::string_view separatorText(const DateTimeOptions &options)
{
    return fixedText(options.separator);
}

void checkOptions(const DateTimeOptions &options)
{
    if (options.version != kOptionsVersion)
        throw std::runtime_error("Дата и время: настройки записаны другой версией модуля ("
                                 + std::to_string(options.version) + ")");
    if (options.source > DateSource::Exif || options.placement > DatePlacement::WholeName)
        throw std::runtime_error("Дата и время: неизвестное значение в настройках");
    if (formatText(options).empty())
        throw std::runtime_error("Дата и время: не задан формат даты");
    if (formatText(options).find('/') != std::string_view::npos
        || separatorText(options).find('/') != std::string_view::npos)
        throw std::runtime_error("Дата и время: знак «/» в имени файла недопустим");
}

std::string applyDate(std::string_view fileName, const DateTimeOptions &options, const DateParts &date)
{
    const std::string stamp = formatDate(formatText(options), date);
    const std::string_view separator = separatorText(options);
    switch (options.placement) {
    case DatePlacement::Prefix:
        return stamp + std::string(separator) + std::string(fileName);
    case DatePlacement::Suffix: {
        const NameParts parts = splitName(fileName);
        std::string stem(parts.stem);
        stem += separator;
        stem += stamp;
        return joinName(stem, parts.extension, parts.hasDot);
    }
    case DatePlacement::WholeName: {
        const NameParts parts = splitName(fileName);
        return joinName(stamp, parts.extension, parts.hasDot);
    }
    }
    return std::string(fileName);
}

std::string describe(const DateTimeOptions &options)
{
    std::string text = options.source == DateSource::Exif ? "Дата съёмки" : "Дата изменения";
    text += " \"";
    text += formatText(options);
    text += "\"";
    switch (options.placement) {
    case DatePlacement::Prefix: text += " в начале"; break;
    case DatePlacement::Suffix: text += " в конце"; break;
    case DatePlacement::WholeName: text += " вместо имени"; break;
    }
    return text;
}

} // namespace brenmark::datetime
