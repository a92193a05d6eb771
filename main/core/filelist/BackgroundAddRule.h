#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace brenmark {

class FolderListingCache;
class ListFile;

// Puts many paths through the file list's add rule on a thread of its own,
// so that the caller can work with the paths meanwhile (store them, compute
// their new names) instead of waiting for the folders to be listed. The
// verdicts are exactly those of FileAddRule asked path by path in order. A
// few paths are decided at once, without a thread.
//
// The paths and `keep` must outlive this object, and `keep` must not be used
// by anyone else until verdicts() has returned.
class BackgroundAddRule
{
public:
    // With KeptListings::Indexed the listings left in `keep` get their
    // indexes built on the rule's thread too, for a caller that will look
    // up names absent from the folders (the command line's collision check).
    enum class KeptListings { AsTheyAre, Indexed };
    BackgroundAddRule(const std::vector<std::string_view> &paths, FolderListingCache *keep,
                      KeptListings kept = KeptListings::AsTheyAre);
    ~BackgroundAddRule();
    BackgroundAddRule(const BackgroundAddRule &) = delete;
    BackgroundAddRule &operator=(const BackgroundAddRule &) = delete;

    // Waits for the decisions: one flag per path, true when it is added.
    // Rethrows what the decisions failed with (memory).
    const std::vector<char> &verdicts();

private:
    void decide() noexcept;

    const std::vector<std::string_view> &m_paths;
    FolderListingCache *m_keep;
    KeptListings m_kept;
    std::vector<char> m_verdicts;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

// Before a long list file is read: starts listing (into `cache`) the folder
// of its first file, when the file's size tells of enough lines for the add
// rule to list that folder anyway. Lists mostly name files of one folder,
// and the listing then runs while the list is read.
// Looks through the open list (it is read once: it may be a pipe).
void listFirstFolderAhead(const ListFile &listFile, FolderListingCache &cache);

} // namespace brenmark
