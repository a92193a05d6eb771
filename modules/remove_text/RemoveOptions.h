#pragma once

#include <cstdint>

namespace brenmark::modules {

enum class RemoveWhat : uint8_t {
    Nothing = 0,    // only the blank clean-up below
    Range = 1,      // `count` characters from position `start`
    Digits = 2,     // every digit
    NonLetters = 3, // everything that is not a letter
};

// Options block of the remove action: plain data, copied byte for byte.
// Everything applies to the file name without its extension.
struct RemoveOptions
{
    static constexpr uint16_t kVersion = 1;

    uint16_t version = kVersion;
    RemoveWhat what = RemoveWhat::Range;
    uint8_t fromEnd = 0;        // the range's start counts back from the end of the name
    int32_t start = 0;          // characters before the range (0: at the very start / end)
    int32_t count = 1;          // characters in the range
    uint8_t trimBlanks = 0;     // drop blanks at the start and end of the name
    uint8_t collapseBlanks = 0; // a run of blanks becomes one space
    uint8_t reserved[2] = {};
};

} // namespace brenmark::modules
