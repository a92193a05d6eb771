#include "main/cli/CollisionCheck.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace brenmark {
namespace {

struct FileId
{
    dev_t device = 0;
    ino_t inode = 0;
    bool exists = false;

    bool operator==(const FileId &other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
};

struct FileIdHash
{
    size_t operator()(const FileId &id) const
    {
        return std::hash<unsigned long long>()(static_cast<unsigned long long>(id.inode) * 1000003u
                                                ^ static_cast<unsigned long long>(id.device));
    }
};

// lstat: a rename moves a symbolic link itself, never what it points to.
FileId fileIdOf(const std::string &path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return {};
    return {status.st_dev, status.st_ino, true};
}

// Resolves the folder of a path once per distinct folder; the file-name part
// stays as written. Folders that do not exist keep their spelling.
class PathResolver
{
public:
    std::string resolve(std::string_view path)
    {
        size_t slash = path.rfind('/');
        if (slash == std::string_view::npos)
            return std::string(path);
        std::string_view folder = path.substr(0, slash + 1);
        auto found = m_folders.find(std::string(folder));
        if (found == m_folders.end()) {
            std::string folderText(folder);
            std::unique_ptr<char, decltype(&std::free)> real(realpath(folderText.c_str(), nullptr), &std::free);
            std::string resolved = real ? std::string(real.get()) : folderText;
            if (resolved.empty() || resolved.back() != '/')
                resolved += '/';
            found = m_folders.emplace(std::move(folderText), std::move(resolved)).first;
        }
        return found->second + std::string(path.substr(slash + 1));
    }

private:
    std::unordered_map<std::string, std::string> m_folders;
};

} // namespace

std::vector<Collision> findCollisions(const std::vector<PathChange> &changes)
{
    PathResolver resolver;
    std::vector<FileId> sources(changes.size());
    std::vector<std::string> targets(changes.size());
    std::vector<bool> unchanged(changes.size());
    // First row of each source file, to know whether it has moved away by a later row's turn.
    std::unordered_map<FileId, size_t, FileIdHash> firstRowOfFile;
    std::unordered_map<std::string, std::vector<size_t>> rowsByTarget;
    std::vector<std::string> targetOrder;

    for (size_t i = 0; i < changes.size(); ++i) {
        std::string source = resolver.resolve(changes[i].oldPath);
        targets[i] = resolver.resolve(changes[i].newPath);
        sources[i] = fileIdOf(source);
        unchanged[i] = targets[i] == source;
        if (sources[i].exists)
            firstRowOfFile.emplace(sources[i], i);
        auto &rows = rowsByTarget[targets[i]];
        if (rows.empty())
            targetOrder.push_back(targets[i]);
        rows.push_back(i);
    }

    std::vector<Collision> collisions;
    for (const std::string &target : targetOrder) {
        const std::vector<size_t> &rows = rowsByTarget[target];
        if (rows.size() < 2)
            continue;
        bool harmless = true;
        for (size_t row : rows)
            harmless = harmless && unchanged[row] && sources[row] == sources[rows.front()];
        if (!harmless)
            collisions.push_back({Collision::Kind::SameTarget, std::string(changes[rows.front()].newPath), rows});
    }

    for (size_t i = 0; i < changes.size(); ++i) {
        if (unchanged[i])
            continue;
        FileId existing = fileIdOf(targets[i]);
        if (!existing.exists || existing == sources[i])
            continue;
        auto mover = firstRowOfFile.find(existing);
        bool movedAwayBefore = mover != firstRowOfFile.end() && mover->second < i && !unchanged[mover->second];
        if (!movedAwayBefore)
            collisions.push_back({Collision::Kind::TargetExists, std::string(changes[i].newPath), {i}});
    }
    return collisions;
}

} // namespace brenmark
