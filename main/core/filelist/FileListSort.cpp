#include "main/core/filelist/FileListSort.h"

#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/NaturalOrder.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>

namespace brenmark {
namespace {

struct PathKey
{
    std::string_view folder; // up to and including the last "/"
    std::string_view name;
    std::uint32_t row;
};

struct FileKey
{
    bool missing;
    std::int64_t seconds; // or the size
    std::int64_t nanoseconds;
    std::uint32_t row;
};

// Stable in both directions: equal keys never trade places, also descending.
template <typename Key, typename Less>
std::vector<std::uint32_t> sortKeys(std::vector<Key> &keys, bool descending, Less less)
{
    if (descending)
        std::stable_sort(keys.begin(), keys.end(), [&less](const Key &a, const Key &b) { return less(b, a); });
    else
        std::stable_sort(keys.begin(), keys.end(), less);
    std::vector<std::uint32_t> rows;
    rows.reserve(keys.size());
    for (const Key &key : keys)
        rows.push_back(key.row);
    return rows;
}

std::vector<std::uint32_t> sortByPath(const FileListModel &files, SortOrder order)
{
    std::vector<PathKey> keys;
    keys.reserve(size_t(files.count()));
    for (int row = 0; row < files.count(); ++row) {
        const std::string_view path = files.currentPath(row);
        const size_t slash = path.rfind('/');
        const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
        keys.push_back({path.substr(0, nameStart), path.substr(nameStart), std::uint32_t(row)});
    }
    if (order.key == SortKey::Name)
        return sortKeys(keys, order.descending,
                        [](const PathKey &a, const PathKey &b) { return compareNatural(a.name, b.name) < 0; });
    return sortKeys(keys, order.descending, [](const PathKey &a, const PathKey &b) {
        const int folders = compareNatural(a.folder, b.folder);
        return folders != 0 ? folders < 0 : compareNatural(a.name, b.name) < 0;
    });
}

std::vector<std::uint32_t> sortByFile(const FileListModel &files, SortOrder order)
{
    std::vector<FileKey> keys;
    keys.reserve(size_t(files.count()));
    std::string path;
    for (int row = 0; row < files.count(); ++row) {
        path.assign(files.currentPath(row));
        struct stat info;
        FileKey key {true, 0, 0, std::uint32_t(row)};
        if (::stat(path.c_str(), &info) == 0) {
            key.missing = false;
            if (order.key == SortKey::Size) {
                key.seconds = info.st_size;
            } else {
                key.seconds = info.st_mtim.tv_sec;
                key.nanoseconds = info.st_mtim.tv_nsec;
            }
        }
        keys.push_back(key);
    }
    // The stable partition keeps the files that are gone last in both directions.
    const auto gone = std::stable_partition(keys.begin(), keys.end(), [](const FileKey &key) { return !key.missing; });
    std::vector<FileKey> goneKeys(gone, keys.end());
    keys.erase(gone, keys.end());
    std::vector<std::uint32_t> rows = sortKeys(keys, order.descending, [](const FileKey &a, const FileKey &b) {
        return std::tie(a.seconds, a.nanoseconds) < std::tie(b.seconds, b.nanoseconds);
    });
    for (const FileKey &key : goneKeys)
        rows.push_back(key.row);
    return rows;
}

} // namespace

std::vector<std::uint32_t> sortedRows(const FileListModel &files, SortOrder order)
{
    if (order.key == SortKey::Name || order.key == SortKey::FolderAndName)
        return sortByPath(files, order);
    return sortByFile(files, order);
}

void sortFileList(FileListModel &files, SortOrder order)
{
    files.reorderRows(sortedRows(files, order));
}

} // namespace brenmark
