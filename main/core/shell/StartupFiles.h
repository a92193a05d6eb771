#pragma once

#include <QString>

#include <stdexcept>

namespace brenmark {

// An input/output failure of the start sequence; the text is what the user sees
// ("File not found", "File access denied", "I/O error <errno>"), followed by
// the path concerned.
class StartupError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Creates the templates folder of the settings directory (ProgramPaths.h) when
// it does not exist. Throws StartupError when it cannot be created (or a file
// of that name is in the way).
void ensureTemplatesDirectory(const QString &programDir);

} // namespace brenmark
