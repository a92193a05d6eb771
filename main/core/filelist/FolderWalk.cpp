#include "main/core/filelist/FolderWalk.h"

#include "main/core/filelist/NaturalOrder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <utility>

namespace brenmark {
namespace {

using FolderId = std::pair<dev_t, ino_t>;

struct FolderEntries
{
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

bool namesFolder(const std::string &path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void sortNames(std::vector<std::string> &names)
{
    // Names equal in natural order (differing in case or leading zeros)
    // still get one order, whatever order the folder listed them in.
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const int natural = compareNatural(a, b);
        return natural != 0 ? natural < 0 : a < b;
    });
}

// The entries of the folder at `folder`; false when it cannot be read or
// was walked before.
bool readFolder(const std::string &folder, FolderWalkOptions options, std::set<FolderId> &walked,
                FolderEntries &entries)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || !walked.emplace(info.st_dev, info.st_ino).second) {
        ::close(descriptor);
        return false;
    }
    DIR *listing = ::fdopendir(descriptor);
    if (!listing) {
        ::close(descriptor);
        return false;
    }
    while (const dirent *entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == ".." || (!options.hidden && name.front() == '.'))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target;
            if (::fstatat(::dirfd(listing), entry->d_name, &target, 0) != 0)
                continue; // a link that leads nowhere
            isFolder = S_ISDIR(target.st_mode);
        }
        if (!isFolder)
            entries.files.emplace_back(name);
        else if (options.subfolders)
            entries.folders.emplace_back(name);
    }
    ::closedir(listing);
    return true;
}

void walkFolder(std::string folder, FolderWalkOptions options, std::vector<std::string> &files)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder != "/")
        folder += '/';
    std::set<FolderId> walked;
    // Folders still to walk, the next one last: a folder's subfolders come
    // right after its own files.
    std::vector<std::string> pending {std::move(folder)};
    FolderEntries entries;
    while (!pending.empty()) {
        const std::string prefix = std::move(pending.back());
        pending.pop_back();
        entries.files.clear();
        entries.folders.clear();
        if (!readFolder(prefix, options, walked, entries))
            continue;
        sortNames(entries.files);
        for (const std::string &name : entries.files)
            files.push_back(prefix + name);
        sortNames(entries.folders);
        for (auto it = entries.folders.rbegin(); it != entries.folders.rend(); ++it)
            pending.push_back(prefix + *it + '/');
    }
}

} // namespace

std::vector<std::string> expandFolders(const std::vector<std::string> &paths, FolderWalkOptions options)
{
    std::vector<std::string> files;
    for (const std::string &path : paths) {
        if (!path.empty() && path.find('\0') == std::string::npos && namesFolder(path))
            walkFolder(path, options, files);
        else
            files.push_back(path);
    }
    return files;
}

} // namespace brenmark
