#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace brenmark {

// The new path the action chain gives a file, empty while the preview is off.
using PreviewFunction = std::function<QString(const QString &path)>;

// What the information dialog shows about one file: its state now, and its
// name and folder after the chain. The chain's effect on contents and
// attributes is never computed.
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
bool isHiddenFile(const QString &path);
bool isReadOnlyFile(const QString &path);

// The length in bytes of the file at `path`, opened for reading. Throws
// std::runtime_error ("Cannot open file ...") when it cannot be opened.
std::uint64_t fileLength(const QString &path);

// Reads the file at `path` (its length, then its checksum) and asks `preview`
// for its path after the chain. Throws std::runtime_error with the user's
// message ("Cannot open file ...") when the file cannot be opened or read.
FileInformation collectFileInformation(const QString &path, const PreviewFunction &preview);

} // namespace brenmark
