#include "main/core/batch/CollisionCheck.h"

#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FolderListing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <unordered_map>

namespace brenmark {
namespace {

struct FileId
{
    dev_t device = 0;
    ino_t inode = 0;
    bool exists = false;

    bool sameFileAs(const FileId &other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
    bool operator<(const FileId &other) const
    {
        return device != other.device ? device < other.device : inode < other.inode;
    }
};

// A path split at its last '/'; the folder keeps the '/', and is empty for a bare name.
struct SplitPath
{
    std::string_view folder;
    std::string_view name;
};

SplitPath splitPath(std::string_view path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

struct TextHash
{
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};
using FolderNumbers = std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>>;

// The rows' folders, each opened once, so that names are looked up inside
// their folder; two spellings of one folder (a link, "..", "//") get one number.
class Folders
{
public:
    explicit Folders(const FolderListingCache *known)
        : m_known(known)
    {
    }
    Folders(const Folders &) = delete;
    Folders &operator=(const Folders &) = delete;
    ~Folders()
    {
        for (const Folder &folder : m_folders) {
            if (folder.descriptor >= 0)
                close(folder.descriptor);
        }
    }

    uint32_t number(std::string_view spelling)
    {
        // Rows of one folder mostly follow each other.
        if (m_last && spelling == m_last->first)
            return m_last->second;
        auto found = m_bySpelling.find(spelling);
        if (found == m_bySpelling.end())
            found = m_bySpelling.emplace(std::string(spelling), add(spelling)).first;
        m_last = &*found;
        return found->second;
    }

    // `nameHash` is FolderListing::hashName(name).
    FileId fileId(uint32_t folder, std::string_view name, size_t nameHash) const
    {
        const Folder &where = m_folders[folder];
        if (where.descriptor < 0 || (where.listing && !where.listing->contains(name, nameHash)))
            return {};
        struct stat status {};
        // A rename moves a symbolic link itself, never what it points to.
        if (fstatat(where.descriptor, std::string(name).c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            return {};
        return {status.st_dev, status.st_ino, true};
    }

private:
    struct Folder
    {
        int descriptor;
        FolderListing *listing;
    };

    uint32_t add(std::string_view spelling)
    {
        const std::string opened = spelling.empty() ? std::string(".") : std::string(spelling);
        std::unique_ptr<char, decltype(&std::free)> real(realpath(opened.c_str(), nullptr), &std::free);
        // A folder that does not exist keeps its spelling: nothing can be in it.
        std::string resolved = real ? std::string(real.get()) : opened;
        if (auto same = m_byResolved.find(resolved); same != m_byResolved.end())
            return same->second;
        Folder folder {real ? open(real.get(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1, nullptr};
        struct stat status {};
        if (m_known && folder.descriptor >= 0 && fstat(folder.descriptor, &status) == 0)
            folder.listing = m_known->find(status.st_dev, status.st_ino);
        const uint32_t number = uint32_t(m_folders.size());
        m_folders.push_back(folder);
        m_byResolved.emplace(std::move(resolved), number);
        return number;
    }

    const FolderListingCache *m_known;
    std::vector<Folder> m_folders;
    FolderNumbers m_bySpelling, m_byResolved;
    const FolderNumbers::value_type *m_last = nullptr; // stays valid: the map's nodes never move
};

struct Row
{
    uint32_t sourceFolder;
    uint32_t targetFolder;
    std::string_view sourceName;
    std::string_view targetName;
    size_t targetHash; // FolderListing::hashName(targetName)
    bool unchanged;

    bool sameTargetAs(const Row &other) const
    {
        return targetFolder == other.targetFolder && targetName == other.targetName;
    }
    bool sameSourceAs(const Row &other) const
    {
        return sourceFolder == other.sourceFolder && sourceName == other.sourceName;
    }
};

// Groups of rows with one target, each in list order, ordered by their first row.
std::vector<std::vector<size_t>> sameTargetGroups(const std::vector<Row> &rows)
{
    // Sorted keys of 32 bits of the target's hash above the row: rows of one
    // target end up next to each other, in list order.
    std::vector<uint64_t> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const size_t hash = rows[i].targetHash ^ (size_t(rows[i].targetFolder) * 0x9E3779B97F4A7C15ull);
        keys[i] = (uint64_t(hash >> 32) << 32) | uint32_t(i);
    }
    std::sort(keys.begin(), keys.end());
    auto rowOf = [&](size_t at) { return size_t(uint32_t(keys[at])); };
    std::vector<std::vector<size_t>> groups;
    for (size_t begin = 0; begin < keys.size();) {
        size_t end = begin + 1;
        while (end < keys.size() && keys[end] >> 32 == keys[begin] >> 32)
            ++end;
        // Different targets among rows of one hash are rare.
        std::vector<bool> grouped(end - begin);
        for (size_t a = begin; a + 1 < end; ++a) {
            if (grouped[a - begin])
                continue;
            std::vector<size_t> group {rowOf(a)};
            for (size_t b = a + 1; b < end; ++b) {
                if (!grouped[b - begin] && rows[rowOf(b)].sameTargetAs(rows[rowOf(a)])) {
                    grouped[b - begin] = true;
                    group.push_back(rowOf(b));
                }
            }
            if (group.size() > 1)
                groups.push_back(std::move(group));
        }
        begin = end;
    }
    std::sort(groups.begin(), groups.end());
    return groups;
}

} // namespace

std::vector<Collision> findCollisions(const std::vector<PathChange> &changes, const FolderListingCache *known)
{
    const size_t count = changes.size();
    Folders folders(known);
    std::vector<Row> rows(count);
    for (size_t i = 0; i < count; ++i) {
        const SplitPath from = splitPath(changes[i].oldPath), to = splitPath(changes[i].newPath);
        Row &row = rows[i];
        row = {folders.number(from.folder), folders.number(to.folder), from.name, to.name,
               FolderListing::hashName(to.name), false};
        row.unchanged = row.sourceFolder == row.targetFolder && from.name == to.name;
    }

    // Rows that cannot rename: all but the first of a group that meets at one
    // target (the first finds it free), and those whose target is taken.
    std::vector<bool> refused(count);
    std::vector<Collision> collisions;
    for (std::vector<size_t> &group : sameTargetGroups(rows)) {
        const Row &first = rows[group.front()];
        const bool harmless = std::all_of(group.begin(), group.end(), [&](size_t row) {
            return rows[row].unchanged && rows[row].sameSourceAs(first);
        });
        if (harmless)
            continue;
        for (size_t at = 1; at < group.size(); ++at)
            refused[group[at]] = true;
        collisions.push_back({Collision::Kind::SameTarget, std::string(changes[group.front()].newPath), std::move(group)});
    }

    // The source files are looked up only once some target is taken.
    std::vector<FileId> sourceIds;
    std::vector<std::pair<FileId, size_t>> moverOfFile; // (source file, first row that renames it), sorted
    for (size_t i = 0; i < count; ++i) {
        if (rows[i].unchanged)
            continue;
        const FileId existing = folders.fileId(rows[i].targetFolder, rows[i].targetName, rows[i].targetHash);
        if (!existing.exists)
            continue;
        if (sourceIds.empty()) {
            sourceIds.resize(count);
            for (size_t row = 0; row < count; ++row) {
                const Row &source = rows[row];
                sourceIds[row] = folders.fileId(source.sourceFolder, source.sourceName,
                                                FolderListing::hashName(source.sourceName));
                if (sourceIds[row].exists && !rows[row].unchanged)
                    moverOfFile.push_back({sourceIds[row], row});
            }
            std::stable_sort(moverOfFile.begin(), moverOfFile.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
        }
        if (existing.sameFileAs(sourceIds[i]))
            continue;
        auto mover = std::lower_bound(moverOfFile.begin(), moverOfFile.end(), existing,
                                      [](const auto &entry, const FileId &id) { return entry.first < id; });
        const bool movedAwayBefore = mover != moverOfFile.end() && mover->first.sameFileAs(existing)
            && mover->second < i && !refused[mover->second];
        if (!movedAwayBefore) {
            refused[i] = true;
            collisions.push_back({Collision::Kind::TargetExists, std::string(changes[i].newPath), {i}});
        }
    }
    return collisions;
}

std::vector<Collision> findCollisions(const FileListModel &files, const FolderListingCache *known)
{
    std::vector<PathChange> changes(size_t(files.count()));
    for (int row = 0; row < files.count(); ++row) {
        const std::string_view current = files.currentPath(row);
        changes[size_t(row)] = {current, files.hasNewPath(row) ? files.newPath(row) : current};
    }
    return findCollisions(changes, known);
}

} // namespace brenmark
