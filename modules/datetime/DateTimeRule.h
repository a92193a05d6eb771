#pragma once

#include "modules/datetime/DateTimeOptions.h"

#include <string>
#include <string_view>

namespace brenmark::datetime {

std::string_view formatText(const DateTimeOptions &options);
std::string_view separatorText(const DateTimeOptions &options);

// Throws std::runtime_error with a Russian text for a block that cannot be used.
void checkOptions(const DateTimeOptions &options);

// The new file name (no folder part) for a file dated `date`.
std::string applyDate(std::string_view fileName, const DateTimeOptions &options, const DateParts &date);

// What the instance does, for the action row.
std::string describe(const DateTimeOptions &options);

} // namespace brenmark::datetime
