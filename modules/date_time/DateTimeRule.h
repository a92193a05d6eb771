#pragma once

#include "modules/date_time/DateTimeOptions.h"

#include <string>
#include <string_view>

namespace brenmark::datetime {

// Throws sdk::ModuleError with a Russian text when the values of a block cannot be used.
void validateOptions(const DateTimeOptions &options);

// Appends the new file name (no folder part) of a file dated `date` to `out`.
void appendNewName(const DateTimeOptions &options, std::string_view fileName, const DateParts &date,
                   std::string &out);

// What the instance does, for the action row.
std::string describe(const DateTimeOptions &options);

} // namespace brenmark::datetime
