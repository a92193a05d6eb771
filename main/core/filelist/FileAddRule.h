#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace brenmark {

class FolderListing;
class FolderListingCache;

// The add rule of the file list: a path is added only when it names an
// existing file that is not a directory (symbolic links followed). A path
// holding a zero byte names nothing.
//
// Lists are mostly many files of few folders, so the folder of the last
// path stays open and each file is looked up relative to it; once many
// files of one folder have been asked for, and the folder is not much
// larger than that, it is listed once and its entries answer the rest
// (entries whose type the listing does not tell are still looked up).
class FileAddRule
{
public:
    // Listings made on the way are handed to `keep` when it is given.
    explicit FileAddRule(FolderListingCache *keep = nullptr);
    ~FileAddRule();
    FileAddRule(const FileAddRule &) = delete;
    FileAddRule &operator=(const FileAddRule &) = delete;

    bool accepts(const std::string &path);

    // Whether a folder of `folderSize` bytes (as the file system reports it)
    // is worth listing once `lookups` of its files have been asked for,
    // rather than looking each one up.
    static bool worthListing(long long folderSize, long long lookups);

private:
    void openFolder(std::string_view folder);
    void closeFolder();
    bool shouldList() const;
    void listFolder();

    FolderListingCache *m_keep;
    std::string m_folderPath;
    int m_folder = -1;
    int m_lookups = 0;
    bool m_listingRefused = false;
    std::shared_ptr<FolderListing> m_listing;
};

} // namespace brenmark
