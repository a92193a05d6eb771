#include "main/core/templates/TemplateList.h"

#include "main/core/modulehost/ProgramPaths.h"

#include <QDirIterator>
#include <QFileInfo>

namespace brenmark {

QStringList FillTemplateList(const QString &templatesDir)
{
    QStringList entries{QString()};
    QDirIterator it(templatesDir, {QStringLiteral("*.ptp")}, QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    while (it.hasNext()) {
        it.next();
        entries.append(it.fileName().chopped(4));
    }
    return entries;
}

int findTemplateEntry(const QStringList &entries, const QString &name)
{
    const int exact = static_cast<int>(entries.indexOf(name));
    if (exact >= 0)
        return exact;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString templateNameProblem(const QString &name)
{
    if (name == QStringLiteral(".") || name == QStringLiteral(".."))
        return QStringLiteral("The name \"%1\" cannot be used for a template.").arg(name);
    if (name.contains(u'/'))
        return QStringLiteral("A template name cannot contain \"/\": \"%1\".").arg(name);
    if (name.contains(u'\n') || name.contains(u'\r') || name.contains(QChar(0)))
        return QStringLiteral("A template name cannot contain a line break.");
    return {};
}

std::optional<QString> saveTemplateAs(int chainRows, const QString &programDir, SaveTemplateDialogs &dialogs,
                                      const std::function<void(const QString &path)> &saveTemplate)
{
    if (chainRows <= 0)
        return std::nullopt;
    for (;;) {
        const QString name = dialogs.askTemplateName();
        if (name.isEmpty())
            return std::nullopt;
        if (const QString problem = templateNameProblem(name); !problem.isEmpty())
            throw TemplateNameError(problem.toStdString());
        const QString path = templatePath(programDir, name);
        if (QFileInfo::exists(path)) {
            const ReplaceAnswer answer = dialogs.askReplaceTemplate(name);
            if (answer == ReplaceAnswer::Cancel)
                return std::nullopt;
            if (answer == ReplaceAnswer::No)
                continue;
        }
        saveTemplate(path);
        return name;
    }
}

int selectSavedTemplate(QStringList &entries, const QString &name)
{
    // File names differ by letter case here, so only the same spelling is the same template.
    for (int i = 1; i < entries.size(); ++i) {
        if (entries[i] == name)
            return i;
    }
    entries.append(name);
    return static_cast<int>(entries.size()) - 1;
}

std::optional<QString> templateForPickedEntry(const QString &programDir, int index, const QString &text)
{
    if (index <= 0 || !templateNameProblem(text).isEmpty())
        return std::nullopt;
    const QString path = templatePath(programDir, text);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

} // namespace brenmark
