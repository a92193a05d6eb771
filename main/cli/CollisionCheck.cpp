#include "main/cli/CollisionCheck.h"

#include "main/core/filelist/FolderNames.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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
    const void *slash = path.empty() ? nullptr : memrchr(path.data(), '/', path.size());
    if (!slash)
        return {{}, path};
    const size_t folderLength = size_t(static_cast<const char *>(slash) - path.data()) + 1;
    return {path.substr(0, folderLength), path.substr(folderLength)};
}

constexpr uint32_t kNone = UINT32_MAX;

// An open-addressing set of item numbers, hashed and compared through the
// caller's functions: no allocation per item, which matters at 100,000 paths.
// Each slot keeps part of its item's hash, so most items that differ are told
// apart without comparing them.
template<typename Hash, typename Equal>
class FlatIndex
{
public:
    FlatIndex(size_t expected, Hash hash, Equal equal)
        : m_hash(hash)
        , m_equal(equal)
    {
        size_t size = 16;
        while (size < expected * 2)
            size *= 2;
        m_slots.assign(size, Slot {kNone, 0});
    }

    // The item equal to `item` that is already in the set, or kNone after adding `item`.
    uint32_t findOrAdd(uint32_t item)
    {
        const size_t mask = m_slots.size() - 1;
        const size_t hash = m_hash(item);
        const uint32_t tag = uint32_t(uint64_t(hash) >> 32);
        for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            if (m_slots[slot].item == kNone) {
                m_slots[slot] = {item, tag};
                return kNone;
            }
            if (m_slots[slot].tag == tag && m_equal(m_slots[slot].item, item))
                return m_slots[slot].item;
        }
    }

private:
    struct Slot
    {
        uint32_t item;
        uint32_t tag;
    };
    Hash m_hash;
    Equal m_equal;
    std::vector<Slot> m_slots;
};

size_t hashName(std::string_view name)
{
    return std::hash<std::string_view>()(name);
}

// The folders of the checked paths, each opened once: files are looked up by
// name inside their folder's descriptor (no walk of the whole path per file),
// and two spellings of one folder (a link, "..", "//") get one folder number.
class Folders
{
public:
    Folders() = default;
    Folders(const Folders &) = delete;
    Folders &operator=(const Folders &) = delete;
    ~Folders()
    {
        for (int fd : m_descriptors) {
            if (fd >= 0)
                close(fd);
        }
    }

    // The folder's number; consecutive paths of one folder cost one comparison.
    uint32_t find(std::string_view folder)
    {
        if (m_hasLast && folder == m_lastSpelling)
            return m_lastId;
        auto found = m_bySpelling.find(std::string(folder));
        uint32_t id = found != m_bySpelling.end() ? found->second : add(folder);
        m_lastSpelling.assign(folder);
        m_lastId = id;
        m_hasLast = true;
        return id;
    }

    // Call before looking names up: a folder where many names are to be
    // looked up is read once, which costs far less than a failed lookup per
    // name (most new names do not exist yet, and tmpfs keeps no record of a
    // failed lookup). Its "no such name" is believed only where names that
    // differ in case are different names; a name it holds is still looked up.
    void expectLookups(uint32_t folder, size_t lookups)
    {
        const int fd = m_descriptors[folder];
        if (lookups < kListingThreshold || fd < 0 || m_listings.count(folder))
            return;
        auto names = std::make_unique<FolderNames>();
        if (names->read(fd, FolderNames::Keep::All) && names->tellsCaseApart(fd))
            m_listings.emplace(folder, std::move(names));
    }

    FileId fileId(uint32_t folder, std::string_view name) const
    {
        int fd = m_descriptors[folder];
        if (fd < 0)
            return {};
        if (auto listing = m_listings.find(folder); listing != m_listings.end() && !listing->second->contains(name))
            return {};
        std::string nameText(name);
        struct stat status {};
        // AT_SYMLINK_NOFOLLOW: a rename moves a symbolic link itself, never what it points to.
        if (fstatat(fd, nameText.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            return {};
        return {status.st_dev, status.st_ino, true};
    }

private:
    uint32_t add(std::string_view folder)
    {
        std::string spelling(folder);
        std::string opened = spelling.empty() ? std::string(".") : spelling;
        std::unique_ptr<char, decltype(&std::free)> real(realpath(opened.c_str(), nullptr), &std::free);
        // A folder that does not exist keeps its spelling: nothing can be in it.
        std::string resolved = real ? std::string(real.get()) : opened;
        auto same = m_byResolved.find(resolved);
        uint32_t id;
        if (same != m_byResolved.end()) {
            id = same->second;
        } else {
            id = uint32_t(m_descriptors.size());
            m_descriptors.push_back(real ? open(real.get(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1);
            m_byResolved.emplace(std::move(resolved), id);
        }
        m_bySpelling.emplace(std::move(spelling), id);
        return id;
    }

    static constexpr size_t kListingThreshold = 256;

    std::unordered_map<uint32_t, std::unique_ptr<FolderNames>> m_listings;
    std::unordered_map<std::string, uint32_t> m_bySpelling;
    std::unordered_map<std::string, uint32_t> m_byResolved;
    std::vector<int> m_descriptors;
    std::string m_lastSpelling;
    uint32_t m_lastId = 0;
    bool m_hasLast = false;
};

// A file within one of the folders: the folder's number and where its name
// begins in the path. The name is read from the path again when it is
// needed, so a row costs 8 bytes here rather than a view's 24.
struct Target
{
    uint32_t folder;
    uint32_t nameStart;
};

} // namespace

struct CollisionCheck::Paths
{
    Paths(size_t count, CollisionCheck::ChangeOfRow change)
        : count(count)
        , change(std::move(change))
    {
    }
    size_t count;
    CollisionCheck::ChangeOfRow change;
    Folders folders;
    std::vector<Target> sources, targets;
    // The hash of each target's name, for grouping the targets.
    std::vector<size_t> targetNameHashes;
    std::vector<bool> unchanged;
    std::vector<Collision> sameTargets;

    std::string_view sourceName(size_t row) const { return change(row).oldPath.substr(sources[row].nameStart); }
    std::string_view targetName(size_t row) const { return change(row).newPath.substr(targets[row].nameStart); }
    bool sameSource(size_t a, size_t b) const
    {
        return sources[a].folder == sources[b].folder && sourceName(a) == sourceName(b);
    }
    bool sameTarget(size_t a, size_t b) const
    {
        return targets[a].folder == targets[b].folder && targetName(a) == targetName(b);
    }
};

CollisionCheck::CollisionCheck(size_t count, ChangeOfRow change)
    : m_paths(std::make_unique<Paths>(count, std::move(change)))
{
    std::vector<Target> &sources = m_paths->sources, &targets = m_paths->targets;
    std::vector<size_t> &targetNameHashes = m_paths->targetNameHashes;
    sources.resize(count);
    targets.resize(count);
    targetNameHashes.resize(count);
    m_paths->unchanged.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const PathChange row = m_paths->change(i);
        SplitPath from = splitPath(row.oldPath);
        SplitPath to = splitPath(row.newPath);
        sources[i] = {m_paths->folders.find(from.folder), uint32_t(from.folder.size())};
        targets[i] = {m_paths->folders.find(to.folder), uint32_t(to.folder.size())};
        targetNameHashes[i] = hashName(to.name);
        m_paths->unchanged[i] = sources[i].folder == targets[i].folder && from.name == to.name;
    }

    // Rows that repeat an earlier row's target are few: they are noted with
    // the group's first row, instead of keeping a chain entry for every row.
    auto hash = [&](uint32_t row) { return targetNameHashes[row] ^ (size_t(targets[row].folder) * 0x9E3779B97F4A7C15ull); };
    auto equal = [this](uint32_t a, uint32_t b) { return m_paths->sameTarget(a, b); };
    FlatIndex<decltype(hash), decltype(equal)> firstRowOfTarget(count, hash, equal);
    std::vector<std::pair<uint32_t, uint32_t>> repeats; // (the group's first row, a later row)
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t first = firstRowOfTarget.findOrAdd(i);
        if (first != kNone)
            repeats.emplace_back(first, i);
    }
    std::sort(repeats.begin(), repeats.end());
    for (size_t at = 0; at < repeats.size();) {
        const uint32_t first = repeats[at].first;
        std::vector<size_t> group {first};
        bool harmless = m_paths->unchanged[first];
        for (; at < repeats.size() && repeats[at].first == first; ++at) {
            const uint32_t row = repeats[at].second;
            group.push_back(row);
            harmless = harmless && m_paths->unchanged[row] && m_paths->sameSource(row, first);
        }
        if (!harmless)
            m_paths->sameTargets.push_back({Collision::Kind::SameTarget, std::string(m_paths->change(first).newPath), group});
    }
}

CollisionCheck::~CollisionCheck() = default;

PathChange CollisionCheck::change(size_t row) const
{
    return m_paths->change(row);
}

std::vector<Collision> CollisionCheck::collisions()
{
    const size_t count = m_paths->count;
    const std::vector<Target> &sources = m_paths->sources, &targets = m_paths->targets;
    const std::vector<bool> &unchanged = m_paths->unchanged;
    Folders &folders = m_paths->folders;

    // Sources are looked up only once some target is taken.
    std::vector<FileId> sourceIds;
    std::vector<bool> sourceKnown;
    auto sourceId = [&](size_t row) {
        if (sourceIds.empty()) {
            sourceIds.resize(count);
            sourceKnown.resize(count);
        }
        if (!sourceKnown[row]) {
            sourceIds[row] = folders.fileId(sources[row].folder, m_paths->sourceName(row));
            sourceKnown[row] = true;
        }
        return sourceIds[row];
    };

    std::vector<Collision> collisions = m_paths->sameTargets;
    std::vector<size_t> lookupsPerFolder;
    for (size_t i = 0; i < count; ++i) {
        if (unchanged[i])
            continue;
        if (targets[i].folder >= lookupsPerFolder.size())
            lookupsPerFolder.resize(targets[i].folder + 1);
        ++lookupsPerFolder[targets[i].folder];
    }
    for (uint32_t folder = 0; folder < lookupsPerFolder.size(); ++folder)
        folders.expectLookups(folder, lookupsPerFolder[folder]);

    // Sorted source files with their first row, built only when a target is taken.
    std::vector<std::pair<FileId, uint32_t>> rowsByFile;
    for (size_t i = 0; i < count; ++i) {
        if (unchanged[i])
            continue;
        FileId existing = folders.fileId(targets[i].folder, m_paths->targetName(i));
        if (!existing.exists || existing.sameFileAs(sourceId(i)))
            continue;
        if (rowsByFile.empty()) {
            for (size_t row = 0; row < count; ++row) {
                if (FileId id = sourceId(row); id.exists)
                    rowsByFile.push_back({id, uint32_t(row)});
            }
            std::stable_sort(rowsByFile.begin(), rowsByFile.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
        }
        auto mover = std::lower_bound(rowsByFile.begin(), rowsByFile.end(), existing,
                                      [](const auto &entry, const FileId &id) { return entry.first < id; });
        // The run goes through the list in order: a file that an earlier row
        // renames has left the target by this row's turn.
        bool movedAwayBefore = mover != rowsByFile.end() && mover->first.sameFileAs(existing) && mover->second < i
            && !unchanged[mover->second];
        if (!movedAwayBefore)
            collisions.push_back({Collision::Kind::TargetExists, std::string(m_paths->change(i).newPath), {i}});
    }
    return collisions;
}

std::vector<Collision> findCollisions(const std::vector<PathChange> &changes)
{
    return CollisionCheck(changes.size(), [&changes](size_t row) { return changes[row]; }).collisions();
}

} // namespace brenmark
