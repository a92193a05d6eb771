#include "main/core/modulehost/ProgramPaths.h"

#include "options/core/NameBytes.h"

#include <sys/stat.h>

namespace brenmark {

QString optionsIniPath(const QString &programDir)
{
    return programDir + QStringLiteral("options.ini");
}

QString runJournalPath(const QString &programDir)
{
    return programDir + QStringLiteral("Undo/");
}

QString templatesDirectory(const QString &programDir)
{
    return programDir + QStringLiteral("Templates/");
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
