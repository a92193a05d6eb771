#include "modules/date_time/DateTimeRule.h"

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "modules/date_time/DateFormat.h"

namespace brenmark::datetime {

void validateOptions(const DateTimeOptions &options)
{
    if (options.source > DateSource::Exif || options.placement > DatePlacement::WholeName)
        throw sdk::ModuleError("Дата и время: неизвестное значение в параметрах.");
    const std::string_view format = sdk::fieldText(options.format);
    if (format.empty())
        throw sdk::ModuleError("Дата и время: не задан формат даты.");
    if (format.find('/') != std::string_view::npos
        || sdk::fieldText(options.separator).find('/') != std::string_view::npos)
        throw sdk::ModuleError("Дата и время: знак «/» в имени файла недопустим.");
}

void appendNewName(const DateTimeOptions &options, std::string_view fileName, const DateParts &date,
                   std::string &out)
{
    const std::string stamp = formatDate(sdk::fieldText(options.format), date);
    const std::string_view separator = sdk::fieldText(options.separator);
    switch (options.placement) {
    case DatePlacement::Prefix:
        out += stamp;
        out += separator;
        out += fileName;
        return;
    case DatePlacement::Suffix: {
        const sdk::NameParts parts = sdk::splitFileName(fileName);
        std::string base(parts.base);
        base += separator;
        base += stamp;
        sdk::appendFileName(out, base, parts.extension, parts.hasExtension);
        return;
    }
    case DatePlacement::WholeName: {
        const sdk::NameParts parts = sdk::splitFileName(fileName);
        sdk::appendFileName(out, stamp, parts.extension, parts.hasExtension);
        return;
    }
    }
    out += fileName;
}

std::string describe(const DateTimeOptions &options)
{
    std::string text = options.source == DateSource::Exif ? "Дата съёмки" : "Дата изменения";
    text += " \"";
    text += sdk::fieldText(options.format);
    text += "\"";
    switch (options.placement) {
    case DatePlacement::Prefix: text += " в начале"; break;
    case DatePlacement::Suffix: text += " в конце"; break;
    case DatePlacement::WholeName: text += " вместо имени"; break;
    }
    return text;
}

} // namespace brenmark::datetime
