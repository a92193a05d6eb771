#pragma once

#include <cstdint>
#include <string>

namespace brenmark::sdk {

// The number of file `fileIndex` is start + fileIndex * step, padded with
// leading zeros to `width` digits (a minus sign stands before the zeros).
// Width kAutoWidth ("авто") pads every number of the list to the digits of
// the one of largest magnitude, computed from `fileCount`, the list's size
// (ModuleBase's FileRequest::fileCount); when the host did not tell it (0),
// "авто" pads to kUnknownCountWidth digits.
inline constexpr int kAutoWidth = 0;
inline constexpr int kMaxCounterWidth = 20;
inline constexpr int kUnknownCountWidth = 3;

struct Counter
{
    int32_t start = 1;
    int32_t step = 1;
    int width = kAutoWidth; // digits at least, 1..kMaxCounterWidth, or kAutoWidth
};

// The digits "авто" stands for in a list of `fileCount` files.
int autoCounterWidth(const Counter &counter, int32_t fileCount);

void appendCounter(std::string &out, const Counter &counter, int32_t fileIndex, int32_t fileCount);

} // namespace brenmark::sdk
