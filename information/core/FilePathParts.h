#pragma once

#include <string>
#include <string_view>

namespace brenmark {

// Paths are the file system's bytes; "/" is the only separator.

// The text after the last "/"; the whole path when it has none.
inline std::string fileNamePart(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// Everything up to and including the last "/"; empty when there is none.
inline std::string folderPart(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1));
}

} // namespace brenmark
