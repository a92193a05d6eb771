#pragma once

#include <string>
#include <string_view>

namespace brenmark {

// One row of the file list in its text form "%d|%s*%s": icon index, "|",
// current path, "*", new path. The "*" and the new path may be missing.
//
// Paths are byte strings (not necessarily valid UTF-8). Inside a row text a
// path is escaped so that the first "|" and the first "*" always are the
// separators: "|", "*", CR, LF and the escape byte 0x1B itself become 0x1B
// followed by 'p', 's', 'r', 'n' or 'e'. Every path without those five bytes
// stands in the row unchanged, so the parsing rule gives the same results as
// on unescaped text for every ordinary path.
struct FileEntry
{
    int iconIndex = 0;
    std::string currentPath; // unescaped bytes
    std::string newPath;     // unescaped bytes; empty when hasNewPath is false
    bool hasNewPath = false; // whether the row text holds a "*"

    // The one parsing rule: the icon index is the text before the first "|"
    // (0 when it is not a decimal number), the rest follows it; when the rest
    // holds a "*" the current path is the text before its first "*" and the
    // new path the text after it, otherwise the whole rest is the current path.
    // A text without "|" is all current path.
    static FileEntry parse(std::string_view rowText);

    // The row text of this entry: "%d|%s*%s", or "%d|%s" without a new path.
    std::string text() const;

    // The three shapes a row is written in.
    static std::string dialogRow(std::string_view path);          // "0|" path "*" path
    static std::string listRow(std::string_view path);            // "0|" path
    static std::string fullRow(int iconIndex, std::string_view currentPath,
                               std::string_view newPath);         // "%d|%s*%s"

    static std::string escapePath(std::string_view path);
    // Inverse of escapePath. An escape byte followed by anything else, or at the
    // end, stands for itself, so no text makes this fail.
    static std::string unescapePath(std::string_view escaped);
    static bool needsEscaping(std::string_view path);
};

} // namespace brenmark
