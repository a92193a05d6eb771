#pragma once

#include "modules/extension/ExtensionOptions.h"

#include <string>
#include <string_view>

namespace brenmark::extension {

// The extension text of a block read from a template: up to its first zero
// byte, never past the array even when the terminator is missing.
std::string_view optionText(const ExtensionOptions &options);

// Throws std::runtime_error with a Russian text when a block (for example one
// read from a damaged or newer template) cannot be used.
void checkOptions(const ExtensionOptions &options);

// The new file name for `fileName` (no folder part).
std::string applyExtension(std::string_view fileName, const ExtensionOptions &options);

// The new full path: the folder stays, the file name changes.
std::string applyExtensionToPath(std::string_view path, const ExtensionOptions &options);

// What the instance does, for the action row: «Расширение: → "jpg"».
std::string describe(const ExtensionOptions &options);

} // namespace brenmark::extension
