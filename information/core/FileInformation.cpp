#include "information/core/FileInformation.h"

#include "CRCunit/Crc32.h"
#include "CRCunit/RegularFile.h"
#include "information/core/FilePathParts.h"
#include "information/core/FileSize.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {

namespace {

QString displayText(const std::string &bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace

std::uint64_t fileLength(const std::string &path)
{
    struct stat status {};
    ::close(openRegularFile(path, status));
    return static_cast<std::uint64_t>(status.st_size);
}

bool isHiddenFile(const std::string &path)
{
    return fileNamePart(path).starts_with('.');
}

bool isReadOnlyFile(const std::string &path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return false;
    const bool noWriteBits = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return noWriteBits || ::access(path.c_str(), W_OK) != 0;
}

FileInformation collectFileInformation(const std::string &path, const PreviewFunction &preview)
{
    FileInformation information;
    information.nameNow = displayText(fileNamePart(path));
    information.folderNow = displayText(folderPart(path));
    information.hiddenNow = isHiddenFile(path);
    information.readOnlyNow = isReadOnlyFile(path);

    information.size = fileLength(path);
    information.sizeText = FormatFileSize(information.size);
    information.crcText = QString::fromStdString(formatCrc32(FileCrc32(path)));

    const std::string after = preview ? preview(path) : std::string();
    information.nameAfter = displayText(fileNamePart(after));
    information.folderAfter = displayText(folderPart(after));
    return information;
}

} // namespace brenmark
