#pragma once

#include <QString>

#include <string>

namespace brenmark {

// The directory of the running executable (from /proc/self/exe) with a
// trailing "/". Plugins/, Templates/, Languages/ and options.ini live there;
// nothing is looked up in the working directory. Computed once.
// The bytes form is what modules and file-system calls get; the QString form
// is its decoding in the locale's encoding (UTF-8).
const std::string &programDirectoryBytes();
QString programDirectory();

// Full path of the language file handed to every module's setLanguage:
// `programDir` + "Languages/english.lng". The host never opens it.
std::string languageFilePath(const std::string &programDir);

} // namespace brenmark
