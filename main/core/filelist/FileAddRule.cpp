#include "main/core/filelist/FileAddRule.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {

FileAddRule::~FileAddRule()
{
    if (m_folder >= 0)
        ::close(m_folder);
}

void FileAddRule::openFolder(std::string_view folder)
{
    if (m_folder >= 0)
        ::close(m_folder);
    m_folderPath.assign(folder);
    m_folder = ::open(m_folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool FileAddRule::accepts(const std::string &path)
{
    // A zero byte cannot be part of a file name: such a line would name the
    // file before the zero to the system and to every module.
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    struct stat info;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    const std::string_view folder(path.data(), slash);
    if (m_folder < 0 || folder != m_folderPath)
        openFolder(folder);
    return m_folder >= 0 && ::fstatat(m_folder, path.c_str() + slash + 1, &info, 0) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace brenmark
