#pragma once

#include <sys/types.h>

#include <cstdint>
#include <future>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brenmark {

// One folder's entries as a single pass of readdir saw them: the names back
// to back in one pool with their dirent types, and an open-addressing index
// of entry numbers (no allocation per name, which at 100,000 names is most
// of the cost of a hash map of strings). A listing is a snapshot: it does not
// follow later changes of the folder.
//
// Lookups remember the entry last found and try its neighbours first, since
// lists of files usually follow the folder's own order, forwards or (on some
// file systems) backwards. The first time that guess fails the listing is
// searched through; the index is built only when the guess fails again: a
// list in the folder's order never pays for it. So a listing must
// not be searched from two threads at once.
class FolderListing
{
public:
    // Lists the folder open as `folder` (an O_PATH descriptor will do), large
    // ones by two threads (readDirectory); null when the folder can be
    // searched but not read.
    static std::shared_ptr<FolderListing> read(int folder);

    // The entry's dirent type (DT_REG, DT_DIR, DT_UNKNOWN ...), or -1 when
    // the folder held no such name.
    int type(std::string_view name) const;
    bool contains(std::string_view name) const { return type(name) >= 0; }
    // The same for a caller that has the name's hashName already.
    int type(std::string_view name, size_t hash) const;
    bool contains(std::string_view name, size_t hash) const { return type(name, hash) >= 0; }
    static size_t hashName(std::string_view name) { return std::hash<std::string_view>()(name); }
    size_t size() const { return m_types.size(); }
    // Builds the index now, for a caller that will look up names the
    // folder's order does not lead to (absent ones), on another thread.
    void prepareIndex() const
    {
        if (m_slots.empty())
            buildIndex();
    }

    // The listed folder itself, so that another spelling of it finds this listing.
    dev_t device() const { return m_device; }
    ino_t inode() const { return m_inode; }

private:
    FolderListing() = default;
    std::string_view name(std::uint32_t entry) const
    {
        return std::string_view(m_names.data() + m_offsets[entry], m_offsets[entry + 1] - m_offsets[entry]);
    }
    bool isEntry(std::uint32_t entry, std::string_view wanted) const
    {
        return entry < m_types.size() && name(entry) == wanted;
    }
    void buildIndex() const;
    static constexpr int kNeedsIndex = -2;
    // The entry's type found near the entry found last, or by the one search
    // allowed without the index; kNeedsIndex when neither could tell.
    int typeWithoutIndex(std::string_view wanted) const;
    int typeFromIndex(std::string_view wanted, size_t hash) const;

    // An index slot: the entry and the upper half of its name's hash, so
    // that a name not in the folder is mostly refused without reading the
    // names at all.
    struct Slot
    {
        std::uint32_t entry;
        std::uint32_t tag;
    };

    dev_t m_device = 0;
    ino_t m_inode = 0;
    // Entry i spans m_offsets[i] to m_offsets[i + 1] in m_names.
    std::string m_names;
    std::vector<std::uint32_t> m_offsets;
    std::vector<unsigned char> m_types;
    mutable std::vector<Slot> m_slots; // empty until a lookup first needs it
    mutable std::uint32_t m_lastFound = UINT32_MAX; // so that entry 0 is tried first
    mutable bool m_searchedOnce = false;
};

// Listings kept after the files were added, for work that asks the same
// folders again (the command line's collision check) and must not pay for a
// second listing. Found by the folder's device and inode. A folder can also
// be listed ahead, on a thread of its own, while the caller still reads its
// list; asking for it then waits for that listing.
class FolderListingCache
{
public:
    FolderListingCache() = default;
    FolderListingCache(const FolderListingCache &) = delete;
    FolderListingCache &operator=(const FolderListingCache &) = delete;
    ~FolderListingCache();

    void keep(std::shared_ptr<FolderListing> listing);
    // Starts listing the folder at `path`; nothing happens when it cannot be
    // opened or is already known.
    void listAhead(const std::string &path);
    FolderListing *find(dev_t device, ino_t inode) const { return findShared(device, inode).get(); }
    std::shared_ptr<FolderListing> findShared(dev_t device, ino_t inode) const;
    // FolderListing::prepareIndex for every listing kept (waiting for those
    // still under way).
    void prepareIndexes() const;

private:
    using Key = std::pair<dev_t, ino_t>;
    mutable std::mutex m_mutex;
    std::map<Key, std::shared_future<std::shared_ptr<FolderListing>>> m_listings;
};

} // namespace brenmark
