#pragma once

#include <QString>

namespace brenmark {

// Paths inside the program directory. `programDir` ends in "/".
QString optionsIniPath(const QString &programDir);
// The templates folder, with a trailing "/".
QString templatesDirectory(const QString &programDir);
// Templates/<name>.ptp; `name` as shown in cbProfile.
QString templatePath(const QString &programDir, const QString &name);

// The name of the template saved automatically at exit.
inline const QString autosaveTemplateName = QStringLiteral("~autosave");

} // namespace brenmark
