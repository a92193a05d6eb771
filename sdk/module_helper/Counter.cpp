#include "module_helper/Counter.h"

#include <algorithm>
#include <charconv>

namespace brenmark::sdk {

namespace {

// 64 bits: start + index * step cannot overflow for any 32-bit inputs.
int64_t numberAt(const Counter &counter, int64_t index)
{
    return int64_t(counter.start) + index * int64_t(counter.step);
}

uint64_t magnitude(int64_t number)
{
    return number < 0 ? uint64_t(0) - uint64_t(number) : uint64_t(number);
}

int digitCount(uint64_t value)
{
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

int autoCounterWidth(const Counter &counter, int32_t fileCount)
{
    if (fileCount <= 0)
        return kUnknownCountWidth;
    // The numbers run in one direction: the largest magnitude is at an end.
    const uint64_t largest =
        std::max(magnitude(numberAt(counter, 0)), magnitude(numberAt(counter, fileCount - 1)));
    return digitCount(largest);
}

void appendCounter(std::string &out, const Counter &counter, int32_t fileIndex, int32_t fileCount)
{
    const int64_t number = numberAt(counter, fileIndex);
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, magnitude(number)).ptr;
    const int length = int(end - digits);
    const int width = counter.width == kAutoWidth ? autoCounterWidth(counter, fileCount)
                                                  : std::clamp(counter.width, 1, kMaxCounterWidth);
    if (number < 0)
        out.push_back('-');
    out.append(std::size_t(std::max(width - length, 0)), '0');
    out.append(digits, end);
}

} // namespace brenmark::sdk
