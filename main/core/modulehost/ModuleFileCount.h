#pragma once

#include <cstdint>

namespace brenmark {

// Tells `module` (a library handle) how many files the list holds, through
// its optional setFileCount export. Gives false when the module has none.
// Raises ModuleCallError when the module fails or faults.
bool tellFileCount(void *module, int32_t count);

// Whether `module` exports setFileCount: its names may depend on the list's size.
bool takesFileCount(void *module);

} // namespace brenmark
