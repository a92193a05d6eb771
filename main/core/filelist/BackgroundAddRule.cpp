#include "main/core/filelist/BackgroundAddRule.h"

#include "main/core/filelist/FileAddRule.h"
#include "main/core/filelist/FolderListing.h"
#include "main/core/filelist/ListFile.h"
#include "main/core/modulehost/VectorState.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace brenmark {
namespace {

// Below this many paths a thread costs more than it can save.
constexpr size_t kThreadFrom = 4096;

} // namespace

BackgroundAddRule::BackgroundAddRule(const std::vector<std::string_view> &paths, FolderListingCache *keep,
                                     KeptListings kept)
    : m_paths(paths)
    , m_keep(keep)
    , m_kept(kept)
    , m_verdicts(paths.size(), 0)
{
    if (paths.size() < kThreadFrom) {
        decide();
        return;
    }
    try {
        m_thread = std::thread([this] {
            clearUpperVectorState();
            decide();
        });
    } catch (const std::system_error &) {
        decide(); // no thread to be had: decide here
    }
}

BackgroundAddRule::~BackgroundAddRule()
{
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundAddRule::decide() noexcept
{
    try {
        {
            FileAddRule rule(m_keep); // hands its listings to m_keep when it ends
            std::string path;
            for (size_t i = 0; i < m_paths.size(); ++i) {
                path.assign(m_paths[i]);
                m_verdicts[i] = rule.accepts(path);
            }
        }
        if (m_keep && m_kept == KeptListings::Indexed)
            m_keep->prepareIndexes();
    } catch (...) {
        m_failure = std::current_exception();
    }
}

const std::vector<char> &BackgroundAddRule::verdicts()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_failure)
        std::rethrow_exception(m_failure);
    return m_verdicts;
}

void listFirstFolderAhead(const ListFile &listFile, FolderListingCache &cache)
{
    char start[4096];
    const ssize_t got = listFile.isRegular() ? ::pread(listFile.descriptor(), start, sizeof start, 0) : -1;
    if (got <= 0)
        return;
    const std::string_view head(start, size_t(got));
    const size_t end = head.find_first_of("\r\n");
    if (end == std::string_view::npos)
        return;
    const std::string_view first = head.substr(0, end);
    const size_t slash = first.rfind('/');
    const long long lines = listFile.size() / (long long)(end + 1);
    if (slash == std::string_view::npos || slash == 0 || lines < (long long)kThreadFrom)
        return;
    const std::string folder(first.substr(0, slash));
    struct stat folderInfo;
    if (::stat(folder.c_str(), &folderInfo) == 0 && S_ISDIR(folderInfo.st_mode)
        && FileAddRule::worthListing(folderInfo.st_size, lines))
        cache.listAhead(folder);
}

} // namespace brenmark
