#include "main/core/templates/TemplateList.h"

#include "main/core/modulehost/ProgramPaths.h"
#include "options/core/NameBytes.h"

#include <dirent.h>

namespace brenmark {

QStringList FillTemplateList(const QString &templatesDir)
{
    QStringList entries{QString()};
    // Listed by bytes: Qt's own listing leaves out names that are not valid UTF-8.
    const QByteArray folder = bytesOfName(templatesDir);
    DIR *listing = ::opendir(folder.constData());
    if (!listing)
        return entries;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name.endsWith(".ptp") && isRegularFile(templatesDir + nameFromBytes(name)))
            entries.append(nameFromBytes(name.chopped(4)));
    }
    ::closedir(listing);
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
        return QStringLiteral("Шаблон «%1»: такое имя шаблону дать нельзя.").arg(name);
    if (name.contains(u'/'))
        return QStringLiteral("Шаблон «%1»: имя шаблона не может содержать «/».").arg(name);
    if (name.contains(u'\n') || name.contains(u'\r') || name.contains(QChar(0)))
        return QStringLiteral("Шаблон «%1»: имя шаблона не может содержать перевод строки.").arg(name);
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
        if (fileExists(path)) {
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
    if (!isRegularFile(path))
        return std::nullopt;
    return path;
}

} // namespace brenmark
