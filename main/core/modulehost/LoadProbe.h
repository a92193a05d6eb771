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

// Loads the libraries at `paths`, in order, in `helper` (brenmark-probe, run
// afresh, never a fork of this process, whose other threads may hold locks a
// library's initialisers need), and tells which of them take a process down
// while they load (a static initialiser that faults, aborts, exits or hangs).
// Such a fault cannot be survived in the host itself, since it happens under
// the loader's lock. One helper loads them all; after one that kills it, a
// new helper goes on with the next. A library that merely fails to load is
// safe: the host then skips it as it skips every library it cannot load.
// When the helper cannot be started or ends before it starts loading, the
// check is not made: every library from there on counts as safe, as it did
// before this check, and standard error names the helper.
std::vector<LoadVerdict> probeLibraryLoading(const std::vector<std::string> &paths, const std::string &helper);

} // namespace brenmark
