#pragma once

#include "modules/remove_text/RemoveOptions.h"

#include <string>
#include <string_view>

namespace brenmark::modules {

// Appends the new name of `fileName` (valid UTF-8) to `out`; throws
// ModuleError when nothing would be left of the name.
void removeText(const RemoveOptions &options, std::string_view fileName, std::string &out);

// The action's caption, e.g. «Удаление: 3 знака с начала».
std::string removeCaption(const RemoveOptions &options);

} // namespace brenmark::modules
