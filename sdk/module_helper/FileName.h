#pragma once

#include <string>
#include <string_view>

namespace brenmark::sdk {

// A path split at its last '/': `folder` keeps the trailing '/' (empty for a
// bare name), so folder + fileName is the path again.
struct PathParts
{
    std::string_view folder;
    std::string_view fileName;
};

PathParts splitPath(std::string_view path);

// A file name split at its last dot. Leading dots belong to the base, so a
// dot file (".bashrc") has no extension; "name." has an empty extension and
// hasExtension set, so joining gives the name back unchanged.
struct NameParts
{
    std::string_view base;
    std::string_view extension; // without the dot
    bool hasExtension = false;
};

NameParts splitFileName(std::string_view fileName);

// Appends base, then "." and the extension when hasExtension, to `out`.
// Throws ModuleError when the base is empty: a name that is only an
// extension would turn the file into a hidden one, or into nothing.
void appendFileName(std::string &out, std::string_view base, std::string_view extension,
                    bool hasExtension);

// Throws ModuleError unless `fileName` can name a file on Linux: not empty,
// not "." or "..", no '/' and no zero byte, at most 255 bytes.
void checkFileName(std::string_view fileName);

// Throws ModuleError when `path` is longer than the system accepts (4095 bytes).
void checkPathLength(std::string_view path);

// «text» for messages; invalid UTF-8 bytes are kept as they are.
std::string quoted(std::string_view text);

} // namespace brenmark::sdk
