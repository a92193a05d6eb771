#pragma once

#include <string>
#include <vector>

namespace brenmark {

// Whether loading a library leaves the process standing.
struct LoadVerdict
{
    bool safe = true;
    std::string reason; // when not safe: what became of the process that tried, in Russian
};

// Loads the libraries at `paths`, in order, in a short-lived child process,
// and tells which of them take a process down while they load (a static
// initialiser that faults, aborts, exits or hangs). Such a fault cannot be
// survived in the host itself, since it happens under the loader's lock.
// One child loads them all; after one that kills it, a new child goes on
// with the next. A library that merely fails to load is safe: the host then
// skips it as it skips every library it cannot load. When no child can be
// started, every library counts as safe, as it did before this check.
std::vector<LoadVerdict> probeLibraryLoading(const std::vector<std::string> &paths);

} // namespace brenmark
