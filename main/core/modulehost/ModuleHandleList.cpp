#include "main/core/modulehost/ModuleHandleList.h"

#include "main/core/modulehost/ModuleCallGuard.h"

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

ModuleHandleList::~ModuleHandleList()
{
    // Unloading under a call would return into code that is gone: such
    // libraries stay mapped for the rest of the process instead.
    if (!unloadAll()) {
        for (auto &library : m_libraries)
            static_cast<void>(library.release());
    }
}

bool ModuleHandleList::unloadAll()
{
    if (activeModuleCalls() > 0)
        return false;
    // A vector destroys its elements last first; modules go in load order.
    for (auto &library : m_libraries)
        library.reset();
    m_libraries.clear();
    return true;
}

} // namespace brenmark
