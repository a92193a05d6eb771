#pragma once

#include <cstdint>

namespace brenmark::modules {

enum class InsertPosition : uint8_t {
    FromStart = 0,       // `offset` characters after the start of the file name
    FromEnd = 1,         // `offset` characters before the end of the file name
    BeforeExtension = 2, // just before the last dot (at the end without an extension)
};

// Options block of the insert action: plain data, copied byte for byte.
struct InsertOptions
{
    static constexpr uint16_t kVersion = 1;

    uint16_t version = kVersion;
    InsertPosition position = InsertPosition::FromStart;
    uint8_t reserved = 0;
    int32_t offset = 0; // characters; positions past the name are clamped to it
    char text[256] = {}; // UTF-8, zero-terminated
};

} // namespace brenmark::modules
