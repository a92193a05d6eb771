#include "main/core/filelist/BackgroundAddRule.h"

#include "main/core/filelist/FileAddRule.h"
#include "main/core/modulehost/VectorState.h"

#include <string>

namespace brenmark {
namespace {

// Below this many paths a thread costs more than it can save.
constexpr size_t kThreadFrom = 4096;

} // namespace

BackgroundAddRule::BackgroundAddRule(const std::vector<std::string_view> &paths, FolderListingCache *keep)
    : m_paths(paths)
    , m_keep(keep)
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
        FileAddRule rule(m_keep);
        std::string path;
        for (size_t i = 0; i < m_paths.size(); ++i) {
            path.assign(m_paths[i]);
            m_verdicts[i] = rule.accepts(path);
        }
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

} // namespace brenmark
