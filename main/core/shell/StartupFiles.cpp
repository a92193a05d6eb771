#include "main/core/shell/StartupFiles.h"

#include "main/core/modulehost/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace brenmark {

namespace {

std::string errorText(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(error);
    }
}

[[noreturn]] void fail(int error, const std::string &path)
{
    throw StartupError(errorText(error) + ": " + path);
}

} // namespace

void ensureTemplatesDirectory(const QString &programDir)
{
    QString path = templatesDirectory(programDir);
    path.chop(1);
    if (QFileInfo(path).isDir())
        return;
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0777) == 0)
        return;
    const int error = errno;
    if (error == EEXIST && QFileInfo(path).isDir())
        return;
    if (error == EEXIST)
        throw StartupError("Не удаётся создать папку " + native.toStdString() + ": на её месте файл");
    fail(error, native.toStdString());
}

} // namespace brenmark
