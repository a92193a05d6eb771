#include "main/core/filelist/FileAddRule.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace brenmark {
namespace {

constexpr int kListAfterLookups = 32;
// A folder is listed when its size (as the file system reports it) is at
// most this many bytes per file asked for so far.
constexpr long long kFolderBytesPerLookup = 4096;

constexpr std::uint32_t kEmptySlot = UINT32_MAX;

size_t hashName(std::string_view name)
{
    return std::hash<std::string_view>()(name);
}

bool isAddable(int folder, const char *name)
{
    struct stat info;
    return ::fstatat(folder, name, &info, 0) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace

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
    m_listed = false;
    m_listingRefused = false;
    m_names.clear();
    m_offsets.clear();
    m_types.clear();
    m_slots.clear();
}

void FileAddRule::openFolder(std::string_view folder)
{
    closeFolder();
    m_folderPath.assign(folder);
    m_folder = ::open(m_folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool FileAddRule::shouldList() const
{
    if (m_listed || m_listingRefused || m_lookups < kListAfterLookups || (m_lookups & (m_lookups - 1)) != 0)
        return false;
    struct stat info;
    return ::fstat(m_folder, &info) == 0 && info.st_size <= m_lookups * kFolderBytesPerLookup;
}

void FileAddRule::listFolder()
{
    int readable = ::openat(m_folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *listing = readable >= 0 ? ::fdopendir(readable) : nullptr;
    if (!listing) {
        // Searchable but not readable: keep looking files up one by one.
        if (readable >= 0)
            ::close(readable);
        m_listingRefused = true;
        return;
    }
    while (const dirent *entry = ::readdir(listing)) {
        m_offsets.push_back(std::uint32_t(m_names.size()));
        m_names.append(entry->d_name);
        m_types.push_back(entry->d_type);
    }
    ::closedir(listing);
    m_offsets.push_back(std::uint32_t(m_names.size()));
    // A folder cannot hold two entries of one name: no check for equal names.
    const size_t count = m_types.size();
    size_t size = 16;
    while (size < count * 2)
        size *= 2;
    m_slots.assign(size, kEmptySlot);
    const size_t mask = size - 1;
    for (std::uint32_t entry = 0; entry < count; ++entry) {
        const std::string_view name(m_names.data() + m_offsets[entry], m_offsets[entry + 1] - m_offsets[entry]);
        size_t slot = hashName(name) & mask;
        while (m_slots[slot] != kEmptySlot)
            slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
    m_listed = true;
}

int FileAddRule::listedType(std::string_view name) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hashName(name) & mask; m_slots[slot] != kEmptySlot; slot = (slot + 1) & mask) {
        const std::uint32_t entry = m_slots[slot];
        const std::string_view listed(m_names.data() + m_offsets[entry], m_offsets[entry + 1] - m_offsets[entry]);
        if (listed == name)
            return m_types[entry];
    }
    return -1;
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
    if (!m_listed)
        return isAddable(m_folder, name);
    const int type = listedType(std::string_view(path).substr(slash + 1));
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
