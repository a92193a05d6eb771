#pragma once

#include "modules/date_time/DateParts.h"

#include <string>
#include <string_view>

namespace brenmark::datetime {

// Expands the codes %Y (year, 4 digits), %y (2 digits), %m, %d, %H, %M, %S
// (2 digits each) and %% in `pattern`; every other text, unknown codes
// included, is copied unchanged. UTF-8 in, UTF-8 out.
std::string formatDate(std::string_view pattern, const DateParts &date);

// True when `pattern` holds at least one of the codes above (other than %%).
bool hasDateCodes(std::string_view pattern);

} // namespace brenmark::datetime
