#pragma once

#include "modules/date_time/FileDateReader.h"

#include <cstdint>
#include <type_traits>

namespace brenmark::datetime {

enum class DatePlacement : uint8_t {
    Prefix = 0,    // date, separator, whole old name
    Suffix = 1,    // old name, separator, date, then the extension
    WholeName = 2, // date replaces the name; the extension stays
};

inline constexpr uint16_t kOptionsVersion = 1;

// The options block: plain data, copied byte for byte into templates.
struct DateTimeOptions {
    uint16_t version = kOptionsVersion;
    DateSource source = DateSource::Modified;
    DatePlacement placement = DatePlacement::Prefix;
    char format[64] = "%Y-%m-%d";  // UTF-8, zero-padded; codes of formatDate
    char separator[16] = "_";      // UTF-8, zero-padded; may be empty
};

static_assert(std::is_trivially_copyable_v<DateTimeOptions>);
static_assert(sizeof(DateTimeOptions) == 84);

} // namespace brenmark::datetime
