#pragma once

#include <QString>

#include <stdexcept>
#include <string>
#include <vector>

namespace brenmark {

// An input/output failure of the start sequence; the text is what the user sees
// ("File not found", "File access denied", "I/O error <errno>"), followed by
// the path concerned.
class StartupError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Creates programDir + "Templates" when it does not exist. Throws StartupError
// when it cannot be created (or a file of that name is in the way).
void ensureTemplatesDirectory(const QString &programDir);

// "Выход по завершении" is checked exactly when a first argument is given,
// whether or not its list can be read.
bool exitOnFinalFor(const std::string &firstArgument);

// The lines of the command-line list file, each as it stands (bytes, no
// trimming) without its line break ("\n", or "\r\n" as a text editor of
// another desktop writes it). Throws StartupError when the file cannot be
// opened or read. Which lines become file rows is the file list's add rule.
std::vector<std::string> readListFile(const std::string &path);

} // namespace brenmark
