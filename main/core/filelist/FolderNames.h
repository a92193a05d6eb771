#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace brenmark {

// The names of one folder as one reading of it gave them: a snapshot of
// that moment, which the owner uses only while it does one job. Reading a
// folder costs about as much as a few lookups of names in it, so a job that
// asks for hundreds of names of one folder reads it instead.
class FolderNames
{
public:
    // All names, or only those that are surely no folder (plain files,
    // pipes, devices: links and entries of unknown type are left out).
    enum class Keep { All, NoFolders };

    FolderNames() = default;
    // The set refers into the pool, which a move may relocate.
    FolderNames(const FolderNames &) = delete;
    FolderNames &operator=(const FolderNames &) = delete;

    // Reads the folder open as `folder` (an O_PATH descriptor will do);
    // false when it cannot be read.
    bool read(int folder, Keep keep);
    bool contains(std::string_view name) const { return m_names.count(name) > 0; }
    bool empty() const { return m_names.empty(); }
    void clear()
    {
        m_names.clear();
        m_pool.clear();
    }

    // Whether names that differ in letter case are different names in the
    // folder: one listed name with a Latin letter is looked up with the case
    // of its letters turned. Only then does a name missing from the listing
    // not exist under another spelling. False when no listed name has a
    // Latin letter.
    bool tellsCaseApart(int folder) const;

private:
    std::string m_pool;
    std::unordered_set<std::string_view> m_names;
};

} // namespace brenmark
