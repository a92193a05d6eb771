#pragma once

#include <cstdint>

namespace brenmark::modules {

enum class NumberPlace : uint8_t {
    Prefix = 0,    // number, separator, name
    Suffix = 1,    // name, separator, number, then the extension
    WholeName = 2, // the number replaces the name; the extension stays
};

// Options block of the numbering action: plain data, copied byte for byte.
// The number of file i (the host's 0-based list position) is start + i * step.
struct NumberingOptions
{
    static constexpr uint16_t kVersion = 1;

    uint16_t version = kVersion;
    NumberPlace place = NumberPlace::Prefix;
    uint8_t width = 3; // digits at least, padded with leading zeros; 0: "авто" (sdk::kAutoWidth)
    int32_t start = 1;
    int32_t step = 1;
    char separator[32] = "_"; // UTF-8, zero-terminated; unused for the whole name
};

} // namespace brenmark::modules
