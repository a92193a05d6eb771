#include "main/core/batch/ProcessLookup.h"

#include "main/core/modulehost/ModuleLibrary.h"

namespace brenmark {

BrenmarkProcess ProcessLookup::find(void *handle)
{
    for (const auto &[known, process] : m_known) {
        if (known == handle)
            return process;
    }
    BrenmarkProcess process = moduleFunction<BrenmarkProcess>(handle, "process");
    m_known.emplace_back(handle, process);
    return process;
}

} // namespace brenmark
