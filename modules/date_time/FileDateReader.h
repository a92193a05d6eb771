#pragma once

#include "modules/date_time/DateParts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace brenmark::datetime {

enum class DateSource : uint8_t {
    Modified = 0, // the file's modification time, local time
    Exif = 1,     // the EXIF capture date; the modification time when there is none
};

// Reads the date a file is named or sorted by. EXIF dates are cached per path
// and reused while the file's size and modification time stay the same, so
// rebuilding a preview reads each photo once.
class FileDateReader {
public:
    // Throws sdk::ModuleError (Russian text) when the file cannot be examined.
    DateParts read(const std::string &path, DateSource source);

    // "YYYY:MM:DD HH:MM:SS" as EXIF stores it; nothing for blanks and zeros.
    static std::optional<DateParts> parseExifDate(std::string_view text);

    // The capture date of the image at `path`, uncached; nothing when the file
    // holds no image with such a date or is not a regular file (a named pipe
    // or a device is never read).
    static std::optional<DateParts> readExifDate(const std::string &path);

private:
    struct CacheEntry {
        int64_t modifiedNs = 0;
        int64_t size = 0;
        std::optional<DateParts> exif;
    };

    std::unordered_map<std::string, CacheEntry> m_exifCache;
};

} // namespace brenmark::datetime
