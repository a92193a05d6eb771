#pragma once

#include <QString>

namespace brenmark {

// Where options.ini and Templates/ live: the program directory while it can
// be written, so that a copied program directory keeps everything with it;
// otherwise (an installed program) $XDG_CONFIG_HOME/brenmark/, by default
// ~/.config/brenmark/, created when missing. Modules and the language file
// stay in the program directory either way. Both end in "/".
QString settingsDirectory(const QString &programDir);

// Paths in the settings directory of `programDir`, which ends in "/".
QString optionsIniPath(const QString &programDir);
// The journal of the last runs, which undo reads: a folder beside
// options.ini, with a trailing "/" (one file per run).
QString runJournalPath(const QString &programDir);
// The templates folder, with a trailing "/".
QString templatesDirectory(const QString &programDir);
// Templates/<name>.ptp; `name` as shown in cbProfile (nameFromBytes).
QString templatePath(const QString &programDir, const QString &name);

// For paths in the form of nameFromBytes, which QFileInfo cannot follow when
// they hold bytes that are not UTF-8. isRegularFile follows symbolic links.
bool fileExists(const QString &path);
bool isRegularFile(const QString &path);

// The name of the template saved automatically at exit.
inline const QString autosaveTemplateName = QStringLiteral("~autosave");

} // namespace brenmark
