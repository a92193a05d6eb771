#pragma once

namespace brenmark::datetime {

// A wall-clock moment in local time, as a camera or `localtime` gives it.
struct DateParts {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateParts &) const = default;
};

} // namespace brenmark::datetime
