#pragma once

#include "modules/extension/ExtensionOptions.h"

#include <string>
#include <string_view>

namespace brenmark::extension {

// Throws sdk::ModuleError with a Russian text when the values of a block (for
// example one read from a damaged template) cannot be used.
void validateOptions(const ExtensionOptions &options);

// Appends the new file name for `fileName` (no folder part) to `out`.
void appendNewName(const ExtensionOptions &options, std::string_view fileName, std::string &out);

// What the instance does, for the action row: «Расширение: → "jpg"».
std::string describe(const ExtensionOptions &options);

} // namespace brenmark::extension
