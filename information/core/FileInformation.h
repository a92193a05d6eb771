#pragma once

#include "information/core/PreviewFunction.h"

#include <QString>

#include <cstdint>
#include <string>

namespace brenmark {

// What the information dialog shows about one file: its state now, and its
// name and folder after the chain. The chain's effect on contents and
// attributes is never computed. Texts are the path bytes decoded for display.
struct FileInformation
{
    QString nameNow;
    QString folderNow;
    bool hiddenNow = false;
    bool readOnlyNow = false;
    std::uint64_t size = 0;
    QString sizeText;     // FormatFileSize
    QString crcText;      // eight upper-case hexadecimal digits
    QString nameAfter;
    QString folderAfter;
};

// Hidden: the file name starts with ".". Read-only: the file cannot be
// written by this process or has no write permission bit at all (so a
// protected file counts as read-only also for the superuser).
bool isHiddenFile(const std::string &path);
bool isReadOnlyFile(const std::string &path);

// The length in bytes of the file at `path`, opened for reading. Throws
// std::runtime_error ("Cannot open file ...") when it cannot be opened, and
// refuses what is not a regular file without reading it (openRegularFile).
std::uint64_t fileLength(const std::string &path);

// Reads the file at `path` (its length, then its checksum) and asks `preview`
// for its path after the chain. Throws std::runtime_error with the user's
// message ("Cannot open file ...") when the file cannot be opened or read,
// or is a pipe, a device or anything else but a regular file.
FileInformation collectFileInformation(const std::string &path, const PreviewFunction &preview);

} // namespace brenmark
