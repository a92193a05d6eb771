#pragma once

#include "modules/transliteration/TranslitOptions.h"

#include <string>
#include <string_view>

namespace brenmark::translit {

// Throws sdk::ModuleError with a Russian text when the values of a block cannot be used.
void validateOptions(const TranslitOptions &options);

// Cyrillic letters of UTF-8 `text` in Latin letters, and typographic
// characters in ASCII unless `typography` keeps them; everything else (Latin,
// digits, other scripts, bytes that are not UTF-8) is copied unchanged. A
// capital becomes "Zh" inside a word and "ZH" in a word written in capitals.
std::string transliterate(std::string_view text, TranslitSystem system, bool dropMarks,
                          Typography typography = Typography::Keep);
void appendTransliterated(std::string &out, std::string_view text, TranslitSystem system, bool dropMarks,
                          Typography typography = Typography::Keep);

// Appends the new file name for `fileName` (no folder part) to `out`; throws
// sdk::ModuleError when nothing but an extension would be left.
void appendNewName(const TranslitOptions &options, std::string_view fileName, std::string &out);

// What the instance does, for the action row.
std::string describe(const TranslitOptions &options);

} // namespace brenmark::translit
