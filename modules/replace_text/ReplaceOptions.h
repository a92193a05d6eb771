#pragma once

#include <cstdint>

namespace brenmark::modules {

enum class ReplaceScope : uint8_t {
    Name = 0,      // the file name without its extension
    Extension = 1, // the extension only
    WholeName = 2, // name and extension as one text, the dot included
};

// Options block of the replace action: plain data, copied byte for byte.
struct ReplaceOptions
{
    static constexpr uint16_t kVersion = 1;

    uint16_t version = kVersion;
    uint8_t regularExpression = 0; // 1: `find` is a QRegularExpression pattern
    uint8_t caseSensitive = 1;
    uint8_t everyOccurrence = 1;   // 0: the first occurrence only
    ReplaceScope scope = ReplaceScope::Name;
    uint8_t reserved[2] = {};
    char find[256] = {};        // UTF-8, zero-terminated
    char replacement[256] = {}; // UTF-8; with a pattern, \1 or $1 is group 1, \\ and $$ the sign itself
};

} // namespace brenmark::modules
