#include "main/core/filelist/FileAddRule.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {
namespace {

// The listing buys its keep on long runs of one folder: adding a million
// files of a thousand folders from a list file took 1.6 s of CPU time with a
// lookup per file and 0.6 s with the listing (tmpfs; the kernel's name
// lookup is most of a lookup's cost).
constexpr int kListAfterLookups = 32;
// A folder is listed when its size (as the file system reports it) is at
// most this many bytes per file asked for so far; asked again each time the
// number of files doubles.
constexpr long long kFolderBytesPerLookup = 4096;

} // namespace

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
    m_lookups = 0;
    m_listed = false;
    m_files.clear();
}

bool FileAddRule::shouldList() const
{
    if (m_listed || m_lookups < kListAfterLookups || (m_lookups & (m_lookups - 1)) != 0)
        return false;
    struct stat info;
    return ::fstat(m_folder, &info) == 0 && info.st_size <= m_lookups * kFolderBytesPerLookup;
}

void FileAddRule::listFolder()
{
    m_listed = true;
    // Searchable but not readable: every file is looked up.
    m_files.read(m_folder, FolderNames::Keep::NoFolders);
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
    if (m_folder < 0)
        return false;
    ++m_lookups;
    if (shouldList())
        listFolder();
    const char *name = path.c_str() + slash + 1;
    if (!m_files.empty() && m_files.contains(name))
        return true;
    return ::fstatat(m_folder, name, &info, 0) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace brenmark
