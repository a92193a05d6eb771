#include "main/core/modulehost/ProgramDirectory.h"

#include <QFile>

#include <climits>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace brenmark {
namespace {

std::string readProgramDirectory()
{
    // readlink does not say whether it truncated: grow until the link fits.
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            throw std::runtime_error("Не удалось определить папку программы");
        if (static_cast<size_t>(length) < buffer.size()) {
            std::string path(buffer.data(), static_cast<size_t>(length));
            return path.substr(0, path.rfind('/') + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

const std::string &programDirectoryBytes()
{
    static const std::string directory = readProgramDirectory();
    return directory;
}

QString programDirectory()
{
    return QFile::decodeName(QByteArray::fromStdString(programDirectoryBytes()));
}

std::string languageFilePath(const std::string &programDir)
{
    return programDir + "Languages/english.lng";
}

} // namespace brenmark
