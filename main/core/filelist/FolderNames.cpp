#include "main/core/filelist/FolderNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

namespace brenmark {
namespace {

bool isLatinLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

bool FolderNames::read(int folder, Keep keep)
{
    clear();
    const int readable = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (readable < 0)
        return false;
    DIR *entries = ::fdopendir(readable);
    if (!entries) {
        ::close(readable);
        return false;
    }
    // The names go into one pool first and the set is made once their
    // number is known: a string and a rehash per name cost several times more.
    std::vector<std::pair<size_t, size_t>> places;
    errno = 0;
    while (const dirent *entry = ::readdir(entries)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (keep == Keep::NoFolders && (entry->d_type == DT_DIR || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN))
            continue;
        places.emplace_back(m_pool.size(), name.size());
        m_pool.append(name);
    }
    const bool complete = errno == 0;
    ::closedir(entries);
    if (!complete) {
        m_pool.clear();
        return false;
    }
    m_names.reserve(places.size());
    for (const auto &[start, length] : places)
        m_names.emplace(std::string_view(m_pool).substr(start, length));
    return true;
}

bool FolderNames::tellsCaseApart(int folder) const
{
    const auto probe = std::find_if(m_names.begin(), m_names.end(), [](std::string_view name) {
        return std::any_of(name.begin(), name.end(), isLatinLetter);
    });
    if (probe == m_names.end())
        return false;
    std::string turned(*probe);
    for (char &c : turned)
        if (isLatinLetter(c))
            c = char(c ^ 0x20);
    if (contains(turned))
        return true; // both spellings are entries of their own
    struct stat info;
    return ::fstatat(folder, turned.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

} // namespace brenmark
