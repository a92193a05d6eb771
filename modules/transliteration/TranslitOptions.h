#pragma once

#include <cstdint>
#include <type_traits>

namespace brenmark::translit {

enum class TranslitSystem : uint8_t {
    Gost779B = 0, // GOST 7.79-2000, system B (Latin letters only, with ` and ')
    Icao9303 = 1, // ICAO Doc 9303, which Russian passports follow since 2013: no marks at all
};

enum class TranslitScope : uint8_t {
    NameOnly = 0,         // the extension stays as it is
    NameAndExtension = 1,
};

// What becomes of typographic characters (№, dashes, quotes, …, special spaces).
enum class Typography : uint8_t {
    Keep = 0,
    Ascii = 1,       // № → No, dashes → -, … → ..., quotes and «» left out
    AsciiQuotes = 2, // the same, but double quotes and «» → ", single ones → '
};

// Version 2 added `typography` in what was a reserved byte; blocks of
// version 1 keep their characters as before.
inline constexpr uint16_t kOptionsVersion = 2;

// The options block: plain data, copied byte for byte into templates.
struct TranslitOptions {
    uint16_t version = kOptionsVersion;
    TranslitSystem system = TranslitSystem::Gost779B;
    TranslitScope scope = TranslitScope::NameOnly;
    uint8_t dropMarks = 0; // 1: leave out the ` and ' that system B writes for ъ, ь, ы, э...
    Typography typography = Typography::Keep;
    uint8_t reserved[2] = {};
};

static_assert(std::is_trivially_copyable_v<TranslitOptions>);
static_assert(sizeof(TranslitOptions) == 8);

} // namespace brenmark::translit
