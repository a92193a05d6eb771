#include "information/core/FileInformation.h"

#include "CRCunit/Crc32.h"
#include "information/core/FilePathParts.h"
#include "information/core/FileSize.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {

namespace {

std::uint64_t lengthOf(const QByteArray &path)
{
    const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        throw std::runtime_error("Cannot open file \"" + path.toStdString() + "\". " + std::strerror(errno));
    struct stat status {};
    const int result = ::fstat(descriptor, &status);
    const int error = errno;
    ::close(descriptor);
    if (result != 0)
        throw std::runtime_error("Cannot read file \"" + path.toStdString() + "\". " + std::strerror(error));
    return static_cast<std::uint64_t>(status.st_size);
}

} // namespace

std::uint64_t fileLength(const QString &path)
{
    return lengthOf(QFile::encodeName(path));
}

bool isHiddenFile(const QString &path)
{
    return fileNamePart(path).startsWith(QLatin1Char('.'));
}

bool isReadOnlyFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return false;
    const bool noWriteBits = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return noWriteBits || ::access(name.constData(), W_OK) != 0;
}

FileInformation collectFileInformation(const QString &path, const PreviewFunction &preview)
{
    FileInformation information;
    information.nameNow = fileNamePart(path);
    information.folderNow = folderPart(path);
    information.hiddenNow = isHiddenFile(path);
    information.readOnlyNow = isReadOnlyFile(path);

    const QByteArray name = QFile::encodeName(path);
    information.size = lengthOf(name);
    information.sizeText = FormatFileSize(information.size);
    information.crcText = QString::fromStdString(formatCrc32(FileCrc32(name.toStdString())));

    const QString after = preview ? preview(path) : QString();
    information.nameAfter = fileNamePart(after);
    information.folderAfter = folderPart(after);
    return information;
}

} // namespace brenmark
