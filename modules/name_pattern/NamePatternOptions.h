#pragma once

#include <cstdint>
#include <type_traits>

namespace brenmark::modules {

// Options block of the name pattern action: plain data, copied byte for byte.
struct NamePatternOptions
{
    static constexpr uint16_t kVersion = 1;

    uint16_t version = kVersion;
    char pattern[254] = "[N]_[C].[E]"; // UTF-8, zero-padded; see PatternName.h
};

static_assert(std::is_trivially_copyable_v<NamePatternOptions>);
static_assert(sizeof(NamePatternOptions) == 256);

} // namespace brenmark::modules
