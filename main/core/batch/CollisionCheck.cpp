#include "main/core/batch/CollisionCheck.h"

#include "main/core/filelist/FileListModel.h"
#include "main/core/filelist/FolderNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
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
    Folders() = default;
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

    // A folder where many names are to be looked up is read once, which
    // costs far less than a failed lookup per name (most new names do not
    // exist yet, and tmpfs keeps no record of a failed lookup). Its "no such
    // name" is believed only where names that differ in case are different
    // names; a name it holds is still looked up.
    void expectLookups(uint32_t folder, size_t lookups)
    {
        Folder &where = m_folders[folder];
        if (lookups < kReadingThreshold || where.descriptor < 0 || where.names)
            return;
        auto names = std::make_unique<FolderNames>();
        if (names->read(where.descriptor, FolderNames::Keep::All) && names->tellsCaseApart(where.descriptor))
            where.names = std::move(names);
    }

    FileId fileId(uint32_t folder, std::string_view name) const
    {
        const Folder &where = m_folders[folder];
        if (where.descriptor < 0 || (where.names && !where.names->contains(name)))
            return {};
        struct stat status {};
        // A rename moves a symbolic link itself, never what it points to.
        if (fstatat(where.descriptor, std::string(name).c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            return {};
        return {status.st_dev, status.st_ino, true};
    }

    // Part of the folder's path is an existing file: nothing can be put in it.
    bool isFile(uint32_t folder) const { return m_folders[folder].isFile; }

private:
    struct Folder
    {
        int descriptor;
        bool isFile;
        std::unique_ptr<FolderNames> names;
    };

    static constexpr size_t kReadingThreshold = 256;

    uint32_t add(std::string_view spelling)
    {
        const std::string opened = spelling.empty() ? std::string(".") : std::string(spelling);
        std::unique_ptr<char, decltype(&std::free)> real(realpath(opened.c_str(), nullptr), &std::free);
        const bool isFile = !real && errno == ENOTDIR;
        // A folder that does not exist keeps its spelling: nothing can be in it.
        std::string resolved = real ? std::string(real.get()) : opened;
        if (auto same = m_byResolved.find(resolved); same != m_byResolved.end())
            return same->second;
        const uint32_t number = uint32_t(m_folders.size());
        m_folders.push_back({real ? open(real.get(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1, isFile, nullptr});
        m_byResolved.emplace(std::move(resolved), number);
        return number;
    }

    std::vector<Folder> m_folders;
    FolderNumbers m_bySpelling, m_byResolved;
    const FolderNumbers::value_type *m_last = nullptr; // stays valid: the map's nodes never move
};

// A row as the check keeps it: its folders' numbers and where the names
// begin in its paths. 16 bytes where views would take 48: at 100,000 rows
// fresh memory pages are a good part of the check's time.
struct Row
{
    uint32_t sourceFolder;
    uint32_t targetFolder;
    uint32_t sourceNameStart;
    uint32_t targetNameStart;
};

uint64_t targetKey(std::string_view name, uint32_t folder)
{
    return std::hash<std::string_view>()(name) ^ (uint64_t(folder) * 0x9E3779B97F4A7C15ull);
}

// A path of a file's way through the run, its folder numbered.
struct Place
{
    uint32_t folder;
    std::string_view name;
    std::string_view path;

    bool operator==(const Place &other) const { return folder == other.folder && name == other.name; }
};

struct PlaceHash
{
    size_t operator()(const Place &place) const { return size_t(targetKey(place.name, place.folder)); }
};

// The run played step by step for files that pass through intermediate
// paths: which file holds which path at each file's turn. Dearer than the
// one-step check, so kept for the runs that need it. `refused` holds the
// rows whose last step is refused by a same-target group already reported.
template <typename ChangeOfRow>
void checkSteps(size_t count, const ChangeOfRow &change, const IntermediatePaths &between, Folders &folders,
                const std::vector<bool> &refused, std::vector<Collision> &collisions)
{
    std::vector<Place> places;
    std::vector<size_t> firstPlace(count + 1);
    std::vector<size_t> lookupsPerFolder;
    auto addPlace = [&](std::string_view path, bool target) {
        const SplitPath split = splitPath(path);
        const Place place {folders.number(split.folder), split.name, path};
        if (target) {
            if (place == places.back())
                return; // the action left the path as it was
            if (place.folder >= lookupsPerFolder.size())
                lookupsPerFolder.resize(place.folder + 1);
            ++lookupsPerFolder[place.folder];
        }
        places.push_back(place);
    };
    for (size_t i = 0; i < count; ++i) {
        firstPlace[i] = places.size();
        const PathChange paths = change(i);
        addPlace(paths.oldPath, false);
        for (std::string_view step : between.of(i))
            addPlace(step, true);
        addPlace(paths.newPath, true);
    }
    firstPlace[count] = places.size();
    for (uint32_t folder = 0; folder < lookupsPerFolder.size(); ++folder)
        folders.expectLookups(folder, lookupsPerFolder[folder]);

    std::unordered_map<Place, size_t, PlaceHash> heldBy; // where the run put a row's file
    heldBy.reserve(count);
    std::vector<bool> left(count); // the row's file has left its old path
    // As in the one-step check, the source files are looked up only once some target is taken.
    std::vector<FileId> sourceIds;
    std::vector<std::pair<FileId, size_t>> rowOfFile; // (source file, first row that moves it), sorted
    auto takenOnDisk = [&](size_t i, const Place &to) {
        const FileId existing = folders.fileId(to.folder, to.name);
        if (!existing.exists)
            return false;
        if (sourceIds.empty()) {
            sourceIds.resize(count);
            for (size_t row = 0; row < count; ++row) {
                if (firstPlace[row + 1] - firstPlace[row] < 2)
                    continue;
                const Place &source = places[firstPlace[row]];
                sourceIds[row] = folders.fileId(source.folder, source.name);
                if (sourceIds[row].exists)
                    rowOfFile.push_back({sourceIds[row], row});
            }
            std::stable_sort(rowOfFile.begin(), rowOfFile.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
        }
        if (existing.sameFileAs(sourceIds[i]))
            return false;
        auto mover = std::lower_bound(rowOfFile.begin(), rowOfFile.end(), existing,
                                      [](const auto &entry, const FileId &id) { return entry.first < id; });
        return !(mover != rowOfFile.end() && mover->first.sameFileAs(existing) && left[mover->second]);
    };
    for (size_t i = 0; i < count; ++i) {
        const size_t first = firstPlace[i], end = firstPlace[i + 1];
        for (size_t at = first + 1; at < end; ++at) {
            const Place &to = places[at];
            const bool held = heldBy.count(to) != 0;
            std::optional<Collision::Kind> kind;
            if (folders.isFile(to.folder))
                kind = Collision::Kind::FolderIsFile;
            else if (held || takenOnDisk(i, to))
                kind = Collision::Kind::TargetExists;
            if (kind) {
                // Meeting the first row of its same-target group at the end is reported already.
                if (!(held && at + 1 == end && refused[i]))
                    collisions.push_back({*kind, std::string(to.path), {i}});
                break; // the file stays where it is
            }
            left[i] = true;
            heldBy.erase(places[at - 1]);
            heldBy.emplace(to, i);
        }
    }
}

// `change(row)` gives a row's paths.
template <typename ChangeOfRow>
std::vector<Collision> check(size_t count, const ChangeOfRow &change, const IntermediatePaths &between)
{
    Folders folders;
    std::vector<Row> rows(count);
    // Sorted keys of 32 bits of the target's hash above the row number: rows
    // of one target end up next to each other, in list order.
    std::vector<uint64_t> keys(count);
    for (size_t i = 0; i < count; ++i) {
        const PathChange paths = change(i);
        const SplitPath from = splitPath(paths.oldPath), to = splitPath(paths.newPath);
        rows[i] = {folders.number(from.folder), folders.number(to.folder), uint32_t(from.folder.size()),
                   uint32_t(to.folder.size())};
        keys[i] = (targetKey(to.name, rows[i].targetFolder) >> 32 << 32) | uint32_t(i);
    }
    auto sourceName = [&](size_t i) { return change(i).oldPath.substr(rows[i].sourceNameStart); };
    auto targetName = [&](size_t i) { return change(i).newPath.substr(rows[i].targetNameStart); };
    auto sameTarget = [&](size_t a, size_t b) {
        return rows[a].targetFolder == rows[b].targetFolder && targetName(a) == targetName(b);
    };
    auto sameSource = [&](size_t a, size_t b) {
        return rows[a].sourceFolder == rows[b].sourceFolder && sourceName(a) == sourceName(b);
    };
    auto unchanged = [&](size_t i) {
        return rows[i].sourceFolder == rows[i].targetFolder && sourceName(i) == targetName(i);
    };

    // Groups of rows with one target, each in list order; different targets
    // among rows of one key are rare.
    std::sort(keys.begin(), keys.end());
    std::vector<std::vector<size_t>> groups;
    for (size_t begin = 0; begin < count;) {
        size_t end = begin + 1;
        while (end < count && keys[end] >> 32 == keys[begin] >> 32)
            ++end;
        std::vector<bool> grouped(end - begin);
        for (size_t a = begin; a + 1 < end; ++a) {
            if (grouped[a - begin])
                continue;
            std::vector<size_t> group {uint32_t(keys[a])};
            for (size_t b = a + 1; b < end; ++b) {
                if (!grouped[b - begin] && sameTarget(uint32_t(keys[b]), group.front())) {
                    grouped[b - begin] = true;
                    group.push_back(uint32_t(keys[b]));
                }
            }
            if (group.size() > 1)
                groups.push_back(std::move(group));
        }
        begin = end;
    }
    std::sort(groups.begin(), groups.end());

    // Rows that cannot rename: all but the first of a group that meets at one
    // target (the first finds it free), and those whose target is taken.
    std::vector<bool> refused(count);
    std::vector<Collision> collisions;
    for (std::vector<size_t> &group : groups) {
        const bool harmless = std::all_of(group.begin(), group.end(), [&](size_t row) {
            return unchanged(row) && sameSource(row, group.front());
        });
        if (harmless)
            continue;
        for (size_t at = 1; at < group.size(); ++at)
            refused[group[at]] = true;
        collisions.push_back({Collision::Kind::SameTarget, std::string(change(group.front()).newPath), std::move(group)});
    }

    if (!between.empty()) {
        checkSteps(count, change, between, folders, refused, collisions);
        return collisions;
    }

    std::vector<size_t> lookupsPerFolder;
    for (size_t i = 0; i < count; ++i) {
        if (unchanged(i))
            continue;
        if (rows[i].targetFolder >= lookupsPerFolder.size())
            lookupsPerFolder.resize(rows[i].targetFolder + 1);
        ++lookupsPerFolder[rows[i].targetFolder];
    }
    for (uint32_t folder = 0; folder < lookupsPerFolder.size(); ++folder)
        folders.expectLookups(folder, lookupsPerFolder[folder]);

    // The source files are looked up only once some target is taken.
    std::vector<FileId> sourceIds;
    std::vector<std::pair<FileId, size_t>> moverOfFile; // (source file, first row that renames it), sorted
    for (size_t i = 0; i < count; ++i) {
        if (unchanged(i))
            continue;
        if (folders.isFile(rows[i].targetFolder)) {
            refused[i] = true;
            collisions.push_back({Collision::Kind::FolderIsFile, std::string(change(i).newPath), {i}});
            continue;
        }
        const FileId existing = folders.fileId(rows[i].targetFolder, targetName(i));
        if (!existing.exists)
            continue;
        if (sourceIds.empty()) {
            sourceIds.resize(count);
            for (size_t row = 0; row < count; ++row) {
                sourceIds[row] = folders.fileId(rows[row].sourceFolder, sourceName(row));
                if (sourceIds[row].exists && !unchanged(row))
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
            collisions.push_back({Collision::Kind::TargetExists, std::string(change(i).newPath), {i}});
        }
    }
    return collisions;
}

} // namespace

void IntermediatePaths::add(size_t row, std::string_view path)
{
    if (m_rows.empty() || m_rows.back().first != row)
        m_rows.push_back({row, m_ends.size()});
    m_text.append(path);
    m_ends.push_back(m_text.size());
}

std::vector<std::string_view> IntermediatePaths::of(size_t row) const
{
    auto found = std::lower_bound(m_rows.begin(), m_rows.end(), row,
                                  [](const auto &entry, size_t wanted) { return entry.first < wanted; });
    std::vector<std::string_view> paths;
    if (found == m_rows.end() || found->first != row)
        return paths;
    const size_t end = found + 1 == m_rows.end() ? m_ends.size() : (found + 1)->second;
    for (size_t at = found->second; at < end; ++at) {
        const size_t begin = at == 0 ? 0 : m_ends[at - 1];
        paths.push_back(std::string_view(m_text).substr(begin, m_ends[at] - begin));
    }
    return paths;
}

std::vector<Collision> findCollisions(const std::vector<PathChange> &changes, const IntermediatePaths &between)
{
    return check(changes.size(), [&changes](size_t row) { return changes[row]; }, between);
}

std::vector<Collision> findCollisions(const FileListModel &files, const IntermediatePaths &between)
{
    return check(
        size_t(files.count()),
        [&files](size_t row) {
            const std::string_view current = files.currentPath(int(row));
            return PathChange {current, files.hasNewPath(int(row)) ? files.newPath(int(row)) : current};
        },
        between);
}

} // namespace brenmark
