#pragma once

#include "options/core/Settings.h"

#include <QString>

namespace brenmark {

// Reads every setting from the ini file at `iniPath`. A missing file or key,
// and a value that cannot be converted (an unknown colour, a style outside
// 0..3, a boolean written "yes"), give the default. Does not create the file.
Settings LoadSettings(const QString &iniPath);

// Writes every setting to the ini file at `iniPath`, key by key, leaving
// other keys (such as "template" of "MAIN") as they are. The "MODULES"
// section is erased and written anew; it disappears when no module is
// disabled. Throws IniWriteError ("Unable to write to <path>") at the first
// key that cannot be written; the keys written before stay written.
void SaveSettings(const QString &iniPath, const Settings &settings);

// The "template" key of "MAIN": the name of the template to restore at start.
QString readTemplateName(const QString &iniPath);
// Throws IniWriteError when the file cannot be written.
void writeTemplateName(const QString &iniPath, const QString &name);

} // namespace brenmark
