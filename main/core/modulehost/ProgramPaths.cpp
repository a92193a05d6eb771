#include "main/core/modulehost/ProgramPaths.h"

#include "options/core/NameBytes.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {
namespace {

// Relative or empty values do not count, as the base directory rules say.
QString userConfigDirectory()
{
    const QString configured = nameFromBytes(qgetenv("XDG_CONFIG_HOME"));
    if (configured.startsWith(QLatin1Char('/')))
        return configured.endsWith(QLatin1Char('/')) ? configured : configured + QLatin1Char('/');
    return nameFromBytes(QFile::encodeName(QDir::homePath())) + QStringLiteral("/.config/");
}

// Like mkdir -p, with the private mode the base directory rules ask for. A
// folder that cannot be made surfaces later, in the message of the write.
void makeFolders(const QByteArray &path)
{
    for (qsizetype slash = path.indexOf('/', 1); slash != -1; slash = path.indexOf('/', slash + 1))
        ::mkdir(path.left(slash).constData(), 0700);
    ::mkdir(path.constData(), 0700);
}

} // namespace

QString settingsDirectory(const QString &programDir)
{
    // Only a folder that is there and refuses writing sends the files
    // elsewhere; any other failure is reported against the program directory.
    if (::access(bytesOfName(programDir).constData(), W_OK) == 0 || (errno != EACCES && errno != EROFS && errno != EPERM))
        return programDir;
    const QString directory = userConfigDirectory() + QStringLiteral("brenmark/");
    const QByteArray bytes = bytesOfName(directory);
    struct stat status {};
    if (::stat(bytes.constData(), &status) != 0)
        makeFolders(bytes);
    return directory;
}

QString optionsIniPath(const QString &programDir)
{
    return settingsDirectory(programDir) + QStringLiteral("options.ini");
}

QString runJournalPath(const QString &programDir)
{
    return settingsDirectory(programDir) + QStringLiteral("Undo/");
}

QString templatesDirectory(const QString &programDir)
{
    return settingsDirectory(programDir) + QStringLiteral("Templates/");
}

QString templatePath(const QString &programDir, const QString &name)
{
    return templatesDirectory(programDir) + name + QStringLiteral(".ptp");
}

bool fileExists(const QString &path)
{
    struct stat status {};
    return ::lstat(bytesOfName(path).constData(), &status) == 0;
}

bool isRegularFile(const QString &path)
{
    struct stat status {};
    return ::stat(bytesOfName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace brenmark
