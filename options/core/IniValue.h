#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace brenmark {

// An integer as the settings file writes it: decimal with an optional sign,
// or hexadecimal after "$" or "0x" (up to eight digits, taken as the 32-bit
// pattern, so "$FFFFFFFF" is -1). Surrounding blanks are not allowed here;
// the ini reader has removed them. Nothing when the text is not such a number
// or is out of the 32-bit range.
std::optional<std::int32_t> parseIniInteger(const QString &text);

} // namespace brenmark
