#pragma once

#define BRENMARK_HOST
#include "brenmark_module.h"

#include <utility>
#include <vector>

namespace brenmark {

// The process export of each module handle, looked up by name once for a
// whole rebuild or run instead of once per call: the lookup costs about as
// much as a simple module call. Only valid while no module is unloaded (the
// engines' loops guarantee that); a chain has few modules, so a short list.
class ProcessLookup
{
public:
    // Null when the module has no process export.
    BrenmarkProcess find(void *handle);

private:
    std::vector<std::pair<void *, BrenmarkProcess>> m_known;
};

} // namespace brenmark
