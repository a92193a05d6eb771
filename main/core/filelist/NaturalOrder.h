#pragma once

#include <string_view>

namespace brenmark {

// The order a user expects of file names: runs of ASCII digits compare by
// their value ("2" before "10"; "07" and "7" are equal), letters without
// regard to case (Unicode case folding of UTF-8; a byte that is no valid
// UTF-8 compares by its value, after every character), everything else by
// code point, and "/" before every other character, so a folder's own files
// come before those of a sibling whose name only begins like it. Returns
// <0, 0 or >0; texts that differ only in case or in leading zeros are equal.
int compareNatural(std::string_view a, std::string_view b);

} // namespace brenmark
