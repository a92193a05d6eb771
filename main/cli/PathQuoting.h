#pragma once

#include <string>
#include <string_view>

namespace brenmark {

// Dry-run output shows one file per line: old path, a tab, new path. A path
// is printed unchanged unless it holds a control character (a byte below 0x20,
// or 0x7F) or begins with a double quote; then it is printed between double
// quotes with C escapes: \\ \" \t \n \r and \ooo (three octal digits) for the
// other control bytes. Bytes from 0x80 up pass unchanged, so UTF-8 and any
// other encoding of a file name survive. A field that begins with a double
// quote is therefore always a quoted one, and every printed line holds
// exactly one tab outside quotes.
std::string quotePath(std::string_view path);
// The same, appended to `out` (no temporary for the common unquoted path).
void appendQuotedPath(std::string &out, std::string_view path);

// The inverse of quotePath, for scripts and tests; raises std::invalid_argument
// on a malformed quoted field.
std::string unquotePath(std::string_view field);

} // namespace brenmark
