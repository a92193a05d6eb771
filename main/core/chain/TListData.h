#pragma once

#include <cstddef>
#include <string>

namespace brenmark {

// The record behind one action row. The row owns it; RemoveAction releases it.
struct TListData
{
    // The module's library handle (the dlopen handle); every call for this row
    // is looked up by name in it.
    void *Module = nullptr;
    // The module's library file name without directory (what templates store).
    std::string ModuleFile;
    // The options block. Normally the module's (made by showOptions or newOpt,
    // released by its freeOpt); the host hands the module &Options and never
    // looks inside.
    void *Options = nullptr;
    // True when the host allocated Options itself (a template loaded for a
    // module without newOpt): such a block was made by allocateHostOptions and
    // is released by the host, never handed to the module's freeOpt.
    bool HostAllocatedOptions = false;
};

// Zero-filled block of `size` bytes (at least one) for a module without newOpt.
void *allocateHostOptions(std::size_t size);
void freeHostOptions(void *block);

} // namespace brenmark
