#pragma once

#include <cstdint>
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

// The first characters of a text in a form that compares as plain numbers:
// when the prefixes of two texts differ, their order is the order
// compareNatural gives the texts; when they are equal, only compareNatural
// can tell. Sorting many texts compares prefixes first and so seldom reads
// the texts themselves, which lie scattered in memory.
struct NaturalPrefix
{
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    // The whole text is in it: two whole prefixes that are equal belong to
    // texts that compareNatural finds equal.
    bool whole = false;

    bool operator<(const NaturalPrefix &other) const
    {
        return high != other.high ? high < other.high : low < other.low;
    }
    bool sameBytes(const NaturalPrefix &other) const { return high == other.high && low == other.low; }
};
NaturalPrefix naturalPrefix(std::string_view text);

} // namespace brenmark
