#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace brenmark::sdk {

// Texts inside options blocks are fixed char arrays holding UTF-8, zero-filled
// after the text. These read and write them.

template<std::size_t N>
std::string_view fieldText(const char (&field)[N])
{
    return std::string_view(field, strnlen(field, N));
}

// Stores `text` cut to N - 1 bytes on a character boundary, so the field is
// always zero-terminated and holds valid UTF-8 when `text` did.
template<std::size_t N>
void setFieldText(char (&field)[N], std::string_view text)
{
    std::size_t length = text.size() < N ? text.size() : N - 1;
    if (length < text.size()) {
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), length);
}

} // namespace brenmark::sdk
