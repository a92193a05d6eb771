#include "main/core/filelist/FolderListing.h"

#include "main/core/filelist/DirectoryReading.h"

#include "main/core/modulehost/VectorState.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenmark {
namespace {

constexpr std::uint32_t kEmptySlot = UINT32_MAX;

std::uint32_t tagOf(size_t hash)
{
    return std::uint32_t(std::uint64_t(hash) >> 32);
}

} // namespace

std::shared_ptr<FolderListing> FolderListing::read(int folder)
{
    struct stat info;
    if (::fstat(folder, &info) != 0)
        return nullptr;
    const int readable = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (readable < 0)
        return nullptr;
    DirectoryEntries entries;
    // The folder's size is a fair guess of the names' bytes; it saves the
    // pool's regrowth on large folders.
    if (info.st_size > 0 && info.st_size < (std::int64_t(1) << 30)) {
        entries.names.reserve(size_t(info.st_size));
        // No file system spends less than 16 bytes of folder size on an
        // entry, so this is room enough, and reserved pages cost nothing
        // until they are written.
        entries.starts.reserve(size_t(info.st_size) / 16 + 2);
        entries.types.reserve(size_t(info.st_size) / 16 + 1);
    }
    const bool read = readDirectory(readable, info.st_size, entries) != DirectoryRead::Failed;
    ::close(readable);
    if (!read)
        return nullptr;
    std::shared_ptr<FolderListing> listing(new FolderListing);
    listing->m_device = info.st_dev;
    listing->m_inode = info.st_ino;
    listing->m_names = std::move(entries.names);
    listing->m_offsets = std::move(entries.starts);
    listing->m_offsets.push_back(std::uint32_t(listing->m_names.size()));
    listing->m_types = std::move(entries.types);
    return listing;
}

void FolderListing::buildIndex() const
{
    // A folder cannot hold two entries of one name: no check for equal names.
    const size_t count = m_types.size();
    size_t size = 16;
    while (size < count * 2)
        size *= 2;
    m_slots.assign(size, Slot {kEmptySlot, 0});
    const size_t mask = size - 1;
    for (std::uint32_t entry = 0; entry < count; ++entry) {
        const size_t hash = hashName(name(entry));
        size_t slot = hash & mask;
        while (m_slots[slot].entry != kEmptySlot)
            slot = (slot + 1) & mask;
        m_slots[slot] = {entry, tagOf(hash)};
    }
}

int FolderListing::type(std::string_view wanted) const
{
    const int found = typeWithoutIndex(wanted);
    return found != kNeedsIndex ? found : typeFromIndex(wanted, hashName(wanted));
}

int FolderListing::type(std::string_view wanted, size_t hash) const
{
    const int found = typeWithoutIndex(wanted);
    return found != kNeedsIndex ? found : typeFromIndex(wanted, hash);
}

int FolderListing::typeWithoutIndex(std::string_view wanted) const
{
    for (const std::uint32_t guess : {m_lastFound + 1, m_lastFound - 1}) {
        if (isEntry(guess, wanted)) {
            m_lastFound = guess;
            return m_types[guess];
        }
    }
    // The first miss is answered by reading the whole listing: that costs a
    // fraction of building the index, and a list that follows the folder's
    // order from some entry on (its first files were looked up before the
    // listing was there) needs nothing more.
    if (!m_slots.empty() || m_searchedOnce)
        return kNeedsIndex;
    m_searchedOnce = true;
    for (std::uint32_t entry = 0; entry < m_types.size(); ++entry) {
        if (m_offsets[entry + 1] - m_offsets[entry] == wanted.size() && name(entry) == wanted) {
            m_lastFound = entry;
            return m_types[entry];
        }
    }
    return -1;
}

int FolderListing::typeFromIndex(std::string_view wanted, size_t hash) const
{
    prepareIndex();
    const size_t mask = m_slots.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (size_t slot = hash & mask; m_slots[slot].entry != kEmptySlot; slot = (slot + 1) & mask) {
        const std::uint32_t entry = m_slots[slot].entry;
        if (m_slots[slot].tag == tag && name(entry) == wanted) {
            m_lastFound = entry;
            return m_types[entry];
        }
    }
    return -1;
}

FolderListingCache::~FolderListingCache()
{
    // A listing still under way must end before its folder descriptor goes.
    for (auto &entry : m_listings)
        entry.second.wait();
}

void FolderListingCache::keep(std::shared_ptr<FolderListing> listing)
{
    if (!listing)
        return;
    std::promise<std::shared_ptr<FolderListing>> ready;
    ready.set_value(listing);
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_listings.insert_or_assign(Key(listing->device(), listing->inode()), ready.get_future().share());
}

void FolderListingCache::listAhead(const std::string &path)
{
    const int folder = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    struct stat info;
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (::fstat(folder, &info) != 0 || m_listings.count(Key(info.st_dev, info.st_ino))) {
        ::close(folder);
        return;
    }
    try {
        m_listings.emplace(Key(info.st_dev, info.st_ino), std::async(std::launch::async, [folder] {
                                                              clearUpperVectorState();
                                                              std::shared_ptr<FolderListing> listing;
                                                              try {
                                                                  listing = FolderListing::read(folder);
                                                              } catch (...) {
                                                                  // no listing: files are looked up one by one
                                                              }
                                                              ::close(folder);
                                                              return listing;
                                                          }).share());
    } catch (const std::system_error &) {
        ::close(folder); // no thread to be had: the add rule lists it itself
    }
}

std::shared_ptr<FolderListing> FolderListingCache::findShared(dev_t device, ino_t inode) const
{
    std::shared_future<std::shared_ptr<FolderListing>> listing;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        auto found = m_listings.find(Key(device, inode));
        if (found == m_listings.end())
            return nullptr;
        listing = found->second;
    }
    return listing.get();
}

void FolderListingCache::prepareIndexes() const
{
    std::vector<std::shared_future<std::shared_ptr<FolderListing>>> listings;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto &entry : m_listings)
            listings.push_back(entry.second);
    }
    for (const auto &listing : listings)
        if (const std::shared_ptr<FolderListing> &ready = listing.get())
            ready->prepareIndex();
}

} // namespace brenmark
