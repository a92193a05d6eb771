#pragma once

#include <string>
#include <string_view>

namespace brenmark {

// A path split into its folder (up to and including the last "/", possibly
// empty) and its file name. Works on bytes: names need not be valid UTF-8.
struct PathParts {
    std::string_view folder;
    std::string_view fileName;
};

inline PathParts splitPath(std::string_view path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// A file name split at its last dot. Leading dots belong to the stem, so
// ".bashrc" and "..x" have no extension; "a." has an empty one (hasDot).
struct NameParts {
    std::string_view stem;
    std::string_view extension;
    bool hasDot = false;
};

inline NameParts splitName(std::string_view fileName)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.find_first_not_of('.') >= dot)
        return {fileName, {}, false};
    return {fileName.substr(0, dot), fileName.substr(dot + 1), true};
}

inline std::string joinName(std::string_view stem, std::string_view extension, bool hasDot)
{
    std::string name;
    name.reserve(stem.size() + extension.size() + 1);
    name.append(stem);
    if (hasDot) {
        name.push_back('.');
        name.append(extension);
    }
    return name;
}

} // namespace brenmark
