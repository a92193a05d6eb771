#pragma once

#include <cstdint>
#include <type_traits>

namespace brenmark::extension {

enum class ExtensionOperation : uint8_t {
    Set = 0,    // replace the extension (or give one to a name without)
    Remove = 1, // drop the last extension and its dot
    Add = 2,    // append another extension after the whole name
    Lower = 3,  // extension in lower case
    Upper = 4,  // extension in UPPER case
};

inline constexpr uint16_t kOptionsVersion = 1;
inline constexpr int kTextSize = 64;

// The options block: plain data, copied byte for byte into templates.
struct ExtensionOptions {
    uint16_t version = kOptionsVersion;
    ExtensionOperation operation = ExtensionOperation::Set;
    uint8_t reserved = 0;
    char text[kTextSize] = {}; // UTF-8 extension without the leading dot, zero-padded
};

static_assert(std::is_trivially_copyable_v<ExtensionOptions>);
static_assert(sizeof(ExtensionOptions) == 68);

} // namespace brenmark::extension
