#include "modules/date_time/DateFormat.h"

namespace brenmark::datetime {

namespace {

void appendNumber(std::string &out, int value, int width)
{
    char digits[12];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 && count < 11);
    if (value < 0)
        out.push_back('-');
    for (int i = count; i < width; ++i)
        out.push_back('0');
    while (count > 0)
        out.push_back(digits[--count]);
}

bool isDateCode(char c)
{
    switch (c) {
    case 'Y': case 'y': case 'm': case 'd': case 'H': case 'M': case 'S':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string formatDate(std::string_view pattern, const DateParts &date)
{
    std::string out;
    out.reserve(pattern.size() + 8);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out.push_back(c);
            continue;
        }
        const char code = pattern[++i];
        switch (code) {
        case 'Y': appendNumber(out, date.year, 4); break;
        case 'y': appendNumber(out, ((date.year % 100) + 100) % 100, 2); break;
        case 'm': appendNumber(out, date.month, 2); break;
        case 'd': appendNumber(out, date.day, 2); break;
        case 'H': appendNumber(out, date.hour, 2); break;
        case 'M': appendNumber(out, date.minute, 2); break;
        case 'S': appendNumber(out, date.second, 2); break;
        case '%': out.push_back('%'); break;
        default:
            out.push_back('%');
            out.push_back(code);
        }
    }
    return out;
}

bool hasDateCodes(std::string_view pattern)
{
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] != '%')
            continue;
        if (isDateCode(pattern[i + 1]))
            return true;
        ++i; // "%%" and unknown codes consume their second character
    }
    return false;
}

} // namespace brenmark::datetime
