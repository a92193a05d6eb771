#include "module_helper/FileName.h"

#include "module_helper/ModuleError.h"

#include <climits>
#include <cstring>

namespace brenmark::sdk {

namespace {
constexpr std::size_t kMaxFileNameBytes = NAME_MAX;
constexpr std::size_t kMaxPathBytes = PATH_MAX - 1;
} // namespace

PathParts splitPath(std::string_view path)
{
    const void *slash = path.empty() ? nullptr : ::memrchr(path.data(), '/', path.size());
    if (!slash)
        return {{}, path};
    const auto folderLength = std::size_t(static_cast<const char *>(slash) - path.data()) + 1;
    return {path.substr(0, folderLength), path.substr(folderLength)};
}

NameParts splitFileName(std::string_view fileName)
{
    const auto firstNonDot = fileName.find_first_not_of('.');
    const auto dot = fileName.rfind('.');
    if (firstNonDot == std::string_view::npos || dot == std::string_view::npos || dot < firstNonDot)
        return {fileName, {}, false};
    return {fileName.substr(0, dot), fileName.substr(dot + 1), true};
}

void appendFileName(std::string &out, std::string_view base, std::string_view extension,
                    bool hasExtension)
{
    if (base.empty())
        throw ModuleError(hasExtension ? "У файла не осталось имени, только расширение."
                                       : "Новое имя файла пустое.");
    out.append(base);
    if (hasExtension) {
        out.push_back('.');
        out.append(extension);
    }
}

void checkFileName(std::string_view fileName)
{
    if (fileName.empty())
        throw ModuleError("Новое имя файла пустое.");
    if (fileName == "." || fileName == "..")
        throw ModuleError("Имя " + quoted(fileName) + " не может быть именем файла.");
    if (fileName.find('/') != std::string_view::npos)
        throw ModuleError("Новое имя " + quoted(fileName) + " содержит недопустимый знак «/».");
    if (fileName.find('\0') != std::string_view::npos)
        throw ModuleError("Новое имя файла содержит нулевой знак.");
    if (fileName.size() > kMaxFileNameBytes)
        throw ModuleError("Новое имя файла слишком длинное: " + std::to_string(fileName.size())
                          + " байт, допустимо не больше " + std::to_string(kMaxFileNameBytes) + ".");
}

void checkPathLength(std::string_view path)
{
    if (path.size() > kMaxPathBytes)
        throw ModuleError("Новый путь файла слишком длинный: " + std::to_string(path.size())
                          + " байт, допустимо не больше " + std::to_string(kMaxPathBytes) + ".");
}

std::string quoted(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 4);
    result.append("«").append(text).append("»");
    return result;
}

} // namespace brenmark::sdk
