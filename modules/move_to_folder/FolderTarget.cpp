#include "modules/move_to_folder/FolderTarget.h"

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "modules/date_time/DateFormat.h"

#include <cstdlib>

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
    return sdk::fieldText(options.folder);
}

void validateOptions(const MoveOptions &options)
{
    if (options.dateSource > datetime::DateSource::Exif)
        throw sdk::ModuleError("Перемещение: неизвестное значение в параметрах.");
    if (folderText(options).empty())
        throw sdk::ModuleError("Перемещение: не задана папка.");
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
    if (folder == "~" || folder.rfind("~/", 0) == 0) {
        // "~" is the user's home folder, as in a shell or a file dialog.
        const char *home = std::getenv("HOME");
        if (home != nullptr && home[0] == '/')
            return tidyFolder(std::string(home) + folder.substr(1));
    }
    std::string joined(sdk::splitPath(path).folder);
    joined += folder;
    return tidyFolder(joined);
}

std::string targetPath(std::string_view path, const MoveOptions &options, const datetime::DateParts &date)
{
    std::string result = targetFolder(path, options, date);
    result += sdk::splitPath(path).fileName;
    return result;
}

std::string describe(const MoveOptions &options)
{
    return "Переместить в \"" + std::string(folderText(options)) + "\"";
}

} // namespace brenmark::movetofolder
