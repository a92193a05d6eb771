#include "BatchTestSupport.h"

#include "main/core/filelist/DirectoryReading.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using brenmark::DirectoryEntries;
using batchtest::FileTree;

namespace {

using Listing = std::vector<std::pair<std::string, unsigned char>>;

Listing plainListing(const std::string &folder)
{
    Listing listing;
    DIR *directory = ::opendir(folder.c_str());
    while (const dirent *entry = directory ? ::readdir(directory) : nullptr)
        listing.emplace_back(entry->d_name, entry->d_type);
    if (directory)
        ::closedir(directory);
    return listing;
}

Listing readListing(const std::string &folder, std::int64_t splitFrom, brenmark::DirectoryRead *how = nullptr,
                    brenmark::SplitWhere where = brenmark::SplitWhere::WhereSound)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat info;
    DirectoryEntries entries;
    brenmark::DirectoryRead result = brenmark::DirectoryRead::Failed;
    if (descriptor >= 0 && ::fstat(descriptor, &info) == 0)
        result = brenmark::readDirectory(descriptor, info.st_size, entries, splitFrom, where);
    if (how)
        *how = result;
    const bool read = result != brenmark::DirectoryRead::Failed;
    if (descriptor >= 0)
        ::close(descriptor);
    Listing listing;
    if (!read)
        return listing;
    for (size_t i = 0; i < entries.types.size(); ++i)
        listing.emplace_back(entries.name(i), entries.types[i]);
    return listing;
}

bool isExt4(const std::string &folder)
{
    struct statfs info;
    return ::statfs(folder.c_str(), &info) == 0 && static_cast<unsigned long>(info.f_type) == EXT4_SUPER_MAGIC;
}

void fill(const std::string &folder, int files)
{
    for (int i = 0; i < files; ++i)
        ::close(::open((folder + "/entry_" + std::to_string(i) + (i % 7 ? ".jpg" : "")).c_str(),
                       O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    ::mkdir((folder + "/a folder").c_str(), 0755);
}

} // namespace

// Read by two threads (every folder counts as large here), the entries must
// come out exactly as one plain pass gives them, in the same order, both
// where reading positions run down from the newest entry (tmpfs) and where
// they follow name hashes (ext4, as temporary folders usually are). Where
// two readers are known to be slower, they are not used by default.
TEST(DirectoryReading, TwoReadersGiveExactlyOnePlainPass)
{
    std::vector<std::string> folders;
    FileTree tree;
    folders.push_back(tree.folder("many"));
    char shared[] = "/dev/shm/brenmark-test-XXXXXX";
    const bool haveShared = ::access("/dev/shm", W_OK) == 0 && ::mkdtemp(shared) != nullptr;
    if (haveShared)
        folders.push_back(shared);
    for (const std::string &folder : folders) {
        fill(folder, 3000);
        const Listing plain = plainListing(folder);
        ASSERT_EQ(plain.size(), 3003u) << folder;
        brenmark::DirectoryRead how;
        EXPECT_EQ(readListing(folder, 1, &how), plain) << folder;
        // Temporary folders that are neither tmpfs nor ext4 are read by one.
        if (folder == shared || isExt4(folder)) {
            EXPECT_EQ(how, brenmark::DirectoryRead::ByTwoReaders) << folder;
        }
        EXPECT_EQ(readListing(folder, INT64_MAX, &how), plain) << folder;
        EXPECT_EQ(how, brenmark::DirectoryRead::ByOneReader) << folder;
        if (folder == shared) {
            EXPECT_EQ(readListing(folder, 1, &how, brenmark::SplitWhere::WhereFaster), plain);
            EXPECT_EQ(how, brenmark::DirectoryRead::ByOneReader);
        }
    }
    if (haveShared)
        std::system(("rm -rf '" + std::string(shared) + "'").c_str());
}

// A folder too small to split, or one just emptied, reads the same way.
TEST(DirectoryReading, SmallAndEmptyFoldersReadPlainly)
{
    FileTree tree;
    const std::string few = tree.folder("few");
    fill(few, 3);
    EXPECT_EQ(readListing(few, 1), plainListing(few));
    const std::string empty = tree.folder("empty");
    const Listing dots = readListing(empty, 1);
    EXPECT_EQ(dots, plainListing(empty));
    EXPECT_EQ(dots.size(), 2u);
}
