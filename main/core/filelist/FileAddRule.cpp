#include "main/core/filelist/FileAddRule.h"

#include "main/core/filelist/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {
namespace {

constexpr int kListAfterLookups = 32;
// A folder is listed when its size (as the file system reports it) is at
// most this many bytes per file asked for so far.
constexpr long long kFolderBytesPerLookup = 4096;

bool isAddable(int folder, const char *name)
{
    struct stat info;
    return ::fstatat(folder, name, &info, 0) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace

FileAddRule::FileAddRule(FolderListingCache *keep)
    : m_keep(keep)
{
}

FileAddRule::~FileAddRule()
{
    closeFolder();
}

void FileAddRule::closeFolder()
{
    if (m_folder >= 0)
        ::close(m_folder);
    m_folder = -1;
    m_lookups = 0;
    m_listingRefused = false;
    m_listing.reset();
}

void FileAddRule::openFolder(std::string_view folder)
{
    closeFolder();
    m_folderPath.assign(folder);
    m_folder = ::open(m_folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool FileAddRule::shouldList() const
{
    if (m_listing || m_listingRefused || m_lookups < kListAfterLookups || (m_lookups & (m_lookups - 1)) != 0)
        return false;
    struct stat info;
    return ::fstat(m_folder, &info) == 0 && worthListing(info.st_size, m_lookups);
}

bool FileAddRule::worthListing(long long folderSize, long long lookups)
{
    return folderSize <= lookups * kFolderBytesPerLookup;
}

void FileAddRule::listFolder()
{
    if (m_keep) {
        struct stat info;
        if (::fstat(m_folder, &info) == 0 && (m_listing = m_keep->findShared(info.st_dev, info.st_ino)))
            return;
    }
    m_listing = FolderListing::read(m_folder);
    // Searchable but not readable: keep looking files up one by one.
    m_listingRefused = !m_listing;
    if (m_listing && m_keep)
        m_keep->keep(m_listing);
}

bool FileAddRule::accepts(const std::string &path)
{
    // A zero byte cannot be part of a file name: such a line would name the
    // file before the zero to the system and to every module.
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    }
    const std::string_view folder(path.data(), slash);
    if (m_folder < 0 || folder != m_folderPath)
        openFolder(folder);
    if (m_folder < 0)
        return false;
    const char *name = path.c_str() + slash + 1;
    ++m_lookups;
    if (shouldList())
        listFolder();
    if (!m_listing)
        return isAddable(m_folder, name);
    const int type = m_listing->type(std::string_view(path).substr(slash + 1));
    if (type < 0)
        return false;
    switch (type) {
    case DT_DIR: return false;
    case DT_LNK:
    case DT_UNKNOWN: return isAddable(m_folder, name);
    default: return true;
    }
}

} // namespace brenmark
