#pragma once

#include "modules/numbering/NumberingOptions.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brenmark::modules {

// Appends the new name of `fileName`, the file at list position `fileIndex`
// of `fileCount` (0: not known), to `out`.
void numberName(const NumberingOptions &options, std::string_view fileName, int32_t fileIndex,
                int32_t fileCount, std::string &out);

// The action's caption, e.g. «Нумерация: 001_имя, с 1 шаг 1».
std::string numberingCaption(const NumberingOptions &options);

} // namespace brenmark::modules
