#include "main/core/modulehost/ProgramPaths.h"

namespace brenmark {

QString optionsIniPath(const QString &programDir)
{
    return programDir + QStringLiteral("options.ini");
}

QString templatesDirectory(const QString &programDir)
{
    return programDir + QStringLiteral("Templates/");
}

QString templatePath(const QString &programDir, const QString &name)
{
    return templatesDirectory(programDir) + name + QStringLiteral(".ptp");
}

} // namespace brenmark
