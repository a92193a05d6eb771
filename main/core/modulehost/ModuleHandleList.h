#pragma once

#include "main/core/modulehost/ModuleLibrary.h"

#include <memory>
#include <vector>

namespace brenmark {

// The loaded, enabled modules in load order. Owns the libraries: each is
// unloaded exactly once, by unloadAll() (shut-down) or the destructor, in load
// order, and never while a module call is under way (activeModuleCalls()).
// Handles stay valid until then.
class ModuleHandleList
{
public:
    ModuleHandleList() = default;
    ModuleHandleList(const ModuleHandleList &) = delete;
    ModuleHandleList &operator=(const ModuleHandleList &) = delete;
    ~ModuleHandleList();

    void append(std::unique_ptr<ModuleLibrary> library);

    int count() const { return static_cast<int>(m_libraries.size()); }
    bool isEmpty() const { return m_libraries.empty(); }
    void *handle(int index) const { return m_libraries.at(index)->handle(); }
    std::vector<void *> handles() const;
    bool contains(void *handle) const;

    // Unloads every library, first loaded first; the list is empty afterwards.
    // False, and nothing unloaded, while a module call is under way.
    bool unloadAll();

private:
    std::vector<std::unique_ptr<ModuleLibrary>> m_libraries;
};

} // namespace brenmark
