#include "modules/movetofolder/FolderTarget.h"

#include "modules/common/FileNameParts.h"
#include "modules/common/FixedText.h"
#include "modules/datetime/DateFormat.h"

#include <stdexcept>

namespace brenmark::movetofolder {

namespace {

// Drops empty and "." segments; keeps a leading "/" and ends with "/".
std::string tidyFolder(std::string_view folder)
{
    std::string out;
    out.reserve(folder.size() + 1);
    if (!folder.empty() && folder.front() == '/')
        out.push_back('/');
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t end = folder.find('/', start);
        if (end == std::string_view::npos)
            end = folder.size();
        const std::string_view segment = folder.substr(start, end - start);
        if (!segment.empty() && segment != ".") {
            out.append(segment);
            out.push_back('/');
        }
        start = end + 1;
    }
    return out;
}

} // namespace

std::string_view folderText(const MoveOptions &options)
{
    return fixedText(options.folder);
}

void checkOptions(const MoveOptions &options)
{
    if (options.version != kOptionsVersion)
        throw std::runtime_error("Перемещение: настройки записаны другой версией модуля ("
                                 + std::to_string(options.version) + ")");
    if (options.dateSource > datetime::DateSource::Exif)
        throw std::runtime_error("Перемещение: неизвестное значение в настройках");
    if (folderText(options).empty())
        throw std::runtime_error("Перемещение: не задана папка");
}

bool needsDate(const MoveOptions &options)
{
    return datetime::hasDateCodes(folderText(options));
}

std::string targetFolder(std::string_view path, const MoveOptions &options, const datetime::DateParts &date)
{
    const std::string folder = datetime::formatDate(folderText(options), date);
    if (!folder.empty() && folder.front() == '/')
        return tidyFolder(folder);
    std::string joined(splitPath(path).folder);
    joined += folder;
    return tidyFolder(joined);
}

std::string targetPath(std::string_view path, const MoveOptions &options, const datetime::DateParts &date)
{
    std::string result = targetFolder(path, options, date);
    result += splitPath(path).fileName;
    return result;
}

std::string describe(const MoveOptions &options)
{
    return "Переместить в \"" + std::string(folderText(options)) + "\"";
}

} // namespace brenmark::movetofolder
