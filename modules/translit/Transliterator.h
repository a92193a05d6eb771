#pragma once

#include "modules/translit/TranslitOptions.h"

#include <string>
#include <string_view>

namespace brenmark::translit {

// Throws std::runtime_error with a Russian text for a block that cannot be used.
void checkOptions(const TranslitOptions &options);

// Cyrillic letters of UTF-8 `text` in Latin letters; everything else (Latin,
// digits, other scripts, bytes that are not UTF-8) is copied unchanged. A
// capital becomes "Zh" inside a word and "ZH" in a word written in capitals.
std::string transliterate(std::string_view text, TranslitSystem system, bool dropMarks);

// The new file name (no folder part).
std::string transliterateName(std::string_view fileName, const TranslitOptions &options);

// What the instance does, for the action row.
std::string describe(const TranslitOptions &options);

} // namespace brenmark::translit
