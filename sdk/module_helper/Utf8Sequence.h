#pragma once

// Kept in a header so that the program and the modules, which link nothing
// of each other, share one reading of UTF-8.

#include <cstddef>

namespace brenmark::sdk {

// The length of the valid UTF-8 sequence at `p` (at most `left` bytes are
// read), its code point in `code`; 0 when the bytes there are no valid
// sequence: a stray or truncated one, an overlong form, a surrogate, or a
// code point past U+10FFFF.
inline int utf8SequenceLength(const unsigned char *p, std::size_t left, char32_t &code)
{
    const unsigned char lead = *p;
    int length;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (left < std::size_t(length))
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (p[i] & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace brenmark::sdk
