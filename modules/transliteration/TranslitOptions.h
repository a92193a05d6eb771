#pragma once

#include <cstdint>
#include <type_traits>

namespace brenmark::translit {

enum class TranslitSystem : uint8_t {
    Gost779B = 0, // GOST 7.79-2000, system B (Latin letters only, with ` and ')
    Icao9303 = 1, // ICAO Doc 9303, as in machine-readable passports
};

enum class TranslitScope : uint8_t {
    NameOnly = 0,         // the extension stays as it is
    NameAndExtension = 1,
};

inline constexpr uint16_t kOptionsVersion = 1;

// The options block: plain data, copied byte for byte into templates.
struct TranslitOptions {
    uint16_t version = kOptionsVersion;
    TranslitSystem system = TranslitSystem::Gost779B;
    TranslitScope scope = TranslitScope::NameOnly;
    uint8_t dropMarks = 0; // 1: leave out the ` and ' that system B writes for ъ, ь, ы, э...
    uint8_t reserved[3] = {};
};

static_assert(std::is_trivially_copyable_v<TranslitOptions>);
static_assert(sizeof(TranslitOptions) == 8);

} // namespace brenmark::translit
