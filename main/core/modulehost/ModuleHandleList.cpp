#include "main/core/modulehost/ModuleHandleList.h"

#include <algorithm>

namespace brenmark {

void ModuleHandleList::append(std::unique_ptr<ModuleLibrary> library)
{
    m_libraries.push_back(std::move(library));
}

std::vector<void *> ModuleHandleList::handles() const
{
    std::vector<void *> result;
    result.reserve(m_libraries.size());
    for (const auto &library : m_libraries)
        result.push_back(library->handle());
    return result;
}

bool ModuleHandleList::contains(void *handle) const
{
    return std::any_of(m_libraries.begin(), m_libraries.end(),
                       [handle](const auto &library) { return library->handle() == handle; });
}

void ModuleHandleList::unloadAll()
{
    // A vector destroys its elements last first; modules go in load order.
    for (auto &library : m_libraries)
        library.reset();
    m_libraries.clear();
}

} // namespace brenmark
