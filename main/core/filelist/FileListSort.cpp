#include "main/core/filelist/FileListSort.h"

#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/NaturalOrder.h"

#include <sys/stat.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace brenmark {
namespace {

struct PathKey
{
    std::uint32_t folder; // rank of the folder part in natural order; 0 when sorting by name
    NaturalPrefix prefix; // of the name
    std::uint32_t row;
};

struct FileKey
{
    bool missing;
    std::int64_t value;    // the size, or the seconds of the modification time
    std::int64_t fraction; // the nanoseconds of the modification time
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

std::string_view namePart(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view folderPart(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

// Each row's folder as its rank among the folders of the list in natural
// order; folders that compare equal share a rank. Folders are few beside
// rows, so each row then compares its folder as a number.
std::vector<std::uint32_t> folderRanks(const FileListModel &files)
{
    std::unordered_map<std::string_view, std::uint32_t> ids;
    std::vector<std::string_view> folders;
    std::vector<std::uint32_t> rowFolder;
    rowFolder.reserve(size_t(files.count()));
    for (int row = 0; row < files.count(); ++row) {
        const auto [found, added] = ids.try_emplace(folderPart(files.currentPath(row)), std::uint32_t(folders.size()));
        if (added)
            folders.push_back(found->first);
        rowFolder.push_back(found->second);
    }
    std::vector<std::uint32_t> byOrder(folders.size());
    std::iota(byOrder.begin(), byOrder.end(), 0u);
    std::sort(byOrder.begin(), byOrder.end(), [&folders](std::uint32_t a, std::uint32_t b) {
        return compareNatural(folders[a], folders[b]) < 0;
    });
    std::vector<std::uint32_t> rank(folders.size());
    std::uint32_t next = 0;
    for (size_t i = 0; i < byOrder.size(); ++i) {
        if (i > 0 && compareNatural(folders[byOrder[i - 1]], folders[byOrder[i]]) != 0)
            ++next;
        rank[byOrder[i]] = next;
    }
    for (std::uint32_t &folder : rowFolder)
        folder = rank[folder];
    return rowFolder;
}

std::vector<std::uint32_t> sortByPath(const FileListModel &files, SortOrder order)
{
    std::vector<std::uint32_t> folders;
    if (order.key == SortKey::FolderAndName)
        folders = folderRanks(files);
    std::vector<PathKey> keys;
    keys.reserve(size_t(files.count()));
    for (int row = 0; row < files.count(); ++row)
        keys.push_back({folders.empty() ? 0 : folders[size_t(row)], naturalPrefix(namePart(files.currentPath(row))),
                        std::uint32_t(row)});
    return sortKeys(keys, order.descending, [&files](const PathKey &a, const PathKey &b) {
        if (a.folder != b.folder)
            return a.folder < b.folder;
        if (!a.prefix.sameBytes(b.prefix))
            return a.prefix < b.prefix;
        if (a.prefix.whole && b.prefix.whole)
            return false;
        return compareNatural(namePart(files.currentPath(int(a.row))), namePart(files.currentPath(int(b.row)))) < 0;
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
                key.value = info.st_size;
            } else {
                key.value = info.st_mtim.tv_sec;
                key.fraction = info.st_mtim.tv_nsec;
            }
        }
        keys.push_back(key);
    }
    // The stable partition keeps the files that are gone last in both directions.
    const auto gone = std::stable_partition(keys.begin(), keys.end(), [](const FileKey &key) { return !key.missing; });
    std::vector<FileKey> goneKeys(gone, keys.end());
    keys.erase(gone, keys.end());
    std::vector<std::uint32_t> rows = sortKeys(keys, order.descending, [](const FileKey &a, const FileKey &b) {
        return std::tie(a.value, a.fraction) < std::tie(b.value, b.fraction);
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
